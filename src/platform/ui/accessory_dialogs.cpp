// The menus' accessory commands.
#include "platform/ui/accessory_dialogs.h"

#include "core/shell/site_address.h"
#include "core/shell/update_check.h"
#include "platform/ui/about_box.h"
#include "platform/ui/graphics_settings_dialog.h"
#include "platform/ui/help_window.h"
#include "platform/ui/high_scores_dialog.h"
#include "platform/ui/skin_manager_dialog.h"
#include "platform/ui/statistics_dialog.h"
#include "platform/ui/update_dialog.h"

#include <utility>

namespace kubrix {

AccessoryDialogs::AccessoryDialogs(QWidget& owner, Services services)
    : owner_(owner), services_(std::move(services))
{
}

void AccessoryDialogs::statistics()
{
    StatisticsDialog(services_.statistics, services_.clock, &owner_).exec();
}

void AccessoryDialogs::records()
{
    HighScoresDialog(services_.game, &owner_).exec();
}

void AccessoryDialogs::skins()
{
    SkinManager manager(services_.skins, services_.settings, services_.messages,
                        services_.skinChanged);
    SkinManagerDialog dialog(manager, services_.opener, services_.messages, &owner_);
    dialog.exec();
}

void AccessoryDialogs::graphicsSettings()
{
    GraphicsSettingsDialog(services_.game, services_.settings, &owner_).exec();
}

void AccessoryDialogs::configureUpdates()
{
    UpdateDialog(UpdateDialog::Kind::Configure,
                 {services_.updates, services_.settings, services_.opener, services_.messages},
                 services_.site.productPage(), &owner_)
        .exec();
}

void AccessoryDialogs::updateNotice()
{
    UpdateDialog(UpdateDialog::Kind::Notice,
                 {services_.updates, services_.settings, services_.opener, services_.messages},
                 services_.site.productPage(), &owner_)
        .exec();
    services_.updates.noticeShown(services_.settings);
}

void AccessoryDialogs::about()
{
    AboutBox(services_.site.home(), services_.opener, services_.messages, &owner_).exec();
}

HelpWindow* AccessoryDialogs::helpWindow() const
{
    return help_;
}

void AccessoryDialogs::helpContents()
{
    if (help_.isNull())
        help_ = new HelpWindow(&owner_);
    help_->showContents();
}

} // namespace kubrix
