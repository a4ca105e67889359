// The dialog that says the program found no graphics device it can draw with.
#pragma once

#include <QDialog>

namespace kubrix {

class InitErrorDialog final : public QDialog {
    Q_OBJECT

public:
    explicit InitErrorDialog(QWidget* parent = nullptr);
};

} // namespace kubrix
