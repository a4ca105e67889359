// The program's process-wide objects.
#include "app/app_context.h"

#include "default_skin/builtin_skin.h"
#include "platform/gl/device_probe.h"
#include "platform/ui/main_window.h"
#include "platform/ui/qt_messages.h"
#include "platform/ui/qt_settings_store.h"

#include <QIcon>
#include <QPixmap>
#include <QStandardPaths>

#include <system_error>

namespace kubrix {

namespace {

std::unique_ptr<SettingsStore> ownStoreUnless(const SettingsStore* given)
{
    return given ? nullptr : std::make_unique<QtSettingsStore>();
}

std::unique_ptr<Messages> ownMessagesUnless(const Messages* given)
{
    return given ? nullptr : std::make_unique<QtMessages>();
}

std::filesystem::path createdFolder(std::filesystem::path folder)
{
    if (folder.empty())
        folder = AppContext::defaultDataFolder();
    // A folder that cannot be made shows up later, as the save or skin operation that fails.
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

} // namespace

AppContext::AppContext(AppContextOptions options)
    : ownSettings_(ownStoreUnless(options.settings)),
      settings_(options.settings ? *options.settings : *ownSettings_),
      clock_(options.clock ? *options.clock : systemClock_),
      dataFolder_(createdFolder(std::move(options.dataFolder))), builtInSkin_(builtInSkinPackage()),
      ownMessages_(ownMessagesUnless(options.messages)),
      messages_(options.messages ? *options.messages : *ownMessages_),
      opener_(options.opener ? *options.opener : xdgOpener_), skinInfo_(opener_, messages_),
      skins_(builtInSkin_, settings_, dataFolder_,
             options.skinInfo ? *options.skinInfo : skinInfo_),
      textures_(skins_),
      ownSound_(options.sound ? nullptr : std::make_unique<SoundSystem>(skins_, messages_)),
      sound_(options.sound ? *options.sound : *ownSound_),
      probeDevice_(options.probeDevice ? std::move(options.probeDevice) : &probeDevice),
      site_(SiteAddress::fromEnvironment()), versionSource_(site_.versionDocument()),
      app_(AppServices{settings_, clock_, sound_, host_, *this, &versionSource_})
{
}

AppContext::~AppContext()
{
    destroyMainWindow();
}

std::filesystem::path AppContext::defaultDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
}

QIcon AppContext::gameIcon()
{
    const QPixmap drawn(QStringLiteral(":/icons/kubrix.png"));
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(drawn.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return icon;
}

bool AppContext::createMainWindow()
{
    // A stored skin introduces itself with a modal popup; that must happen now, not from
    // inside the first paint that would otherwise load it.
    skins_.defaultSkin();
    window_ = std::make_unique<MainWindow>(MainWindowServices{
        app_, settings_, clock_, sound_, skins_, textures_, messages_, dataFolder_, opener_, site_,
        probeDevice_,
        [this] {
            if (ownSound_)
                ownSound_->shutdownSound();
        },
        [this] { skinChanged(); }});
    host_.attach(window_.get());
    window_->setWindowIcon(gameIcon());
    window_->onCreate();
    window_->show();
    return true;
}

void AppContext::releaseSkins()
{
    skins_.releaseSkins();
}

void AppContext::skinChanged()
{
    if (window_)
        window_->skinChanged();
    if (ownSound_)
        ownSound_->reloadSounds();
    if (app_.game().musicOn())
        sound_.playMusic();
}

void AppContext::destroyMainWindow()
{
    host_.attach(nullptr);
    window_.reset();
}

} // namespace kubrix
