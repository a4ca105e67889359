// The program's message boxes: the message seam shown as a QMessageBox.
#pragma once

#include "core/base/messages.h"

class QWidget;

namespace kubrix {

class QtMessages final : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr);

    MessageAnswer show(std::string_view text, std::string_view caption, MessageIcon icon,
                       MessageButtons buttons) override;

private:
    QWidget* parent_;
};

} // namespace kubrix
