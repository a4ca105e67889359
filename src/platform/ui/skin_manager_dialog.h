// The "Kubrix Skin Manager" dialog: the installed skins, and applying, removing and importing.
#pragma once

#include "core/skin/skin_manager.h"

#include <QDialog>

#include <vector>

class QListWidget;
class QPushButton;

namespace kubrix {

class Messages;
class UrlOpener;

class SkinManagerDialog final : public QDialog {
    Q_OBJECT

public:
    // Where the first line sends the player for more skins.
    static constexpr const char* kSkinPage = "https://kubrix.example/skins/";

    SkinManagerDialog(SkinManager& manager, UrlOpener& opener, Messages& messages,
                      QWidget* parent = nullptr);

    // OK: applies the selection when it is not the current skin, then closes.
    void accept() override;

private:
    void fillList();
    void updateButtons();
    const SkinEntry* selection() const;
    void applySelection();
    void removeSelection();
    void importScript();

    SkinManager& manager_;
    std::vector<SkinEntry> entries_;
    QListWidget* list_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* apply_ = nullptr;
};

} // namespace kubrix
