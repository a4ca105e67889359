// The two update dialogs: "Configure Auto-Update for Kubrix" and "Update Detected for Kubrix".
#pragma once

#include <QDialog>

#include <string>

class QCheckBox;

namespace kubrix {

class Messages;
class SettingsStore;
class UpdateCheck;
class UrlOpener;

// Both carry a link to the product page and the box that turns the check on or off. The box
// opens checked unless the player turned the check off; OK (the notice's "Close") stores the
// box as "iupdate"; Cancel or Escape stores nothing.
class UpdateDialog final : public QDialog {
    Q_OBJECT

public:
    enum class Kind { Configure, Notice };

    // Control ids, kept as object names.
    static constexpr int kCheckBoxId = 1038;
    static constexpr int kLinkId = 1013;

    struct Services {
        UpdateCheck& check;
        SettingsStore& settings;
        UrlOpener& opener;
        Messages& messages;
    };

    UpdateDialog(Kind kind, Services services, const std::string& productPage,
                 QWidget* parent = nullptr);

    void accept() override;

private:
    Services services_;
    QCheckBox* wanted_;
};

} // namespace kubrix
