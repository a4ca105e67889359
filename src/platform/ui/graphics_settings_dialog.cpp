// The "Graphics Settings" dialog.
#include "platform/ui/graphics_settings_dialog.h"

#include "core/base/settings_table.h"
#include "core/game/game.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace kubrix {

namespace {

constexpr int kLowest = 0;
constexpr int kHighest = 2;

QLabel* label(const char* text, Qt::Alignment alignment)
{
    auto* shown = new QLabel(QString::fromLatin1(text));
    shown->setAlignment(alignment);
    return shown;
}

} // namespace

GraphicsSettingsDialog::GraphicsSettingsDialog(Game& game, SettingsStore& settings, QWidget* parent)
    : QDialog(parent), game_(game), settings_(settings), slider_(new QSlider(Qt::Horizontal))
{
    setWindowTitle(QStringLiteral("Graphics Settings"));
    slider_->setObjectName(QString::number(kSliderId));
    slider_->setRange(kLowest, kHighest);
    slider_->setPageStep(1);
    slider_->setTickInterval(1);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setFocusPolicy(Qt::StrongFocus);
    slider_->setValue(game.quality());

    auto* group = new QGroupBox(QStringLiteral("Quality Settings"));
    auto* explanation =
        new QLabel(QStringLiteral("Adjust the quality slider to change the graphics quality (and "
                                  "therefore display speed).  Click OK to accept."));
    explanation->setWordWrap(true);
    auto* scale = new QGridLayout;
    scale->addWidget(label("Lowest", Qt::AlignLeft), 0, 0);
    scale->addWidget(label("Quality", Qt::AlignHCenter), 0, 1);
    scale->addWidget(label("Highest", Qt::AlignRight), 0, 2);
    scale->addWidget(slider_, 1, 0, 1, 3);
    scale->addWidget(label("Fastest", Qt::AlignLeft), 2, 0);
    scale->addWidget(label("Speed", Qt::AlignHCenter), 2, 1);
    scale->addWidget(label("Slowest", Qt::AlignRight), 2, 2);
    auto* inside = new QVBoxLayout(group);
    inside->addWidget(explanation);
    inside->addLayout(scale);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    resize(360, sizeHint().height());
}

void GraphicsSettingsDialog::accept()
{
    const int quality = slider_->value();
    game_.setQuality(quality);
    settings::write(settings_, settings::quality, quality);
    QDialog::accept();
}

} // namespace kubrix
