// A line of text across the foot of a widget that goes away by itself: news that must not stop
// play the way a message box would.
#pragma once

#include <QLabel>
#include <QTimer>

namespace kubrix {

class NoticeLine final : public QLabel {
    Q_OBJECT

public:
    static constexpr int kShowMs = 6000;

    // Lies over the foot of parent and follows its size; hidden until there is news.
    explicit NoticeLine(QWidget& parent);

    void showNotice(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QTimer hideTimer_;
};

} // namespace kubrix
