// The overlay caption: text set by QPainter, uploaded as a texture, drawn as one quad.
#include "platform/gl/caption_drawer.h"

#include "platform/gl/render_context.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <GL/gl.h>

#include <algorithm>

namespace kubrix {

namespace {

// The texture is a power of two on each side, as OpenGL 1.1 requires.
constexpr int kTextureWidth = 256;
constexpr int kTextureHeight = 64;
constexpr int kPixelSize = 34;
constexpr int kPadding = 10;

} // namespace

void CaptionDrawer::upload(const std::string& text)
{
    QImage image(kTextureWidth, kTextureHeight, QImage::Format_RGBA8888);
    image.fill(Qt::transparent);
    QFont font;
    font.setPixelSize(kPixelSize);
    font.setBold(true);
    const QString caption = QString::fromStdString(text);
    const QFontMetrics metrics(font);
    width_ = std::min(kTextureWidth, metrics.horizontalAdvance(caption) + 2 * kPadding);
    height_ = std::min(kTextureHeight, metrics.height() + kPadding);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 150));
        painter.drawRoundedRect(QRectF(0, 0, width_, height_), 8, 8);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, width_, height_), Qt::AlignCenter, caption);
    }
    if (texture_ == 0 || contextSerial_ != context_.serial()) {
        // Names of an earlier context went with it.
        GLuint name = 0;
        glGenTextures(1, &name);
        texture_ = name;
        contextSerial_ = context_.serial();
    }
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Row 0 of the image is its top; it goes in first, so v = 0 is the top of the text.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kTextureWidth, kTextureHeight, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.constBits());
    uploaded_ = text;
}

void CaptionDrawer::draw(const PixelRect& client, const std::string& text)
{
    if (!context_.ready() || text.empty())
        return;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    if (text != uploaded_ || texture_ == 0 || contextSerial_ != context_.serial())
        upload(text);
    else
        glBindTexture(GL_TEXTURE_2D, texture_);

    glViewport(0, 0, client.width(), client.height());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, client.width(), client.height(), 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    // Scaled with the window like the counters, never larger than the texture drew it.
    const float scale =
        std::min(1.0F, static_cast<float>(std::min(client.width(), client.height())) / 600.0F);
    const float w = static_cast<float>(width_) * scale;
    const float h = static_cast<float>(height_) * scale;
    const float left = 8.0F * scale;
    const float bottom = static_cast<float>(client.height()) - 8.0F * scale;
    const float u = static_cast<float>(width_) / kTextureWidth;
    const float v = static_cast<float>(height_) / kTextureHeight;
    glColor4f(1.0F, 1.0F, 1.0F, 1.0F);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0F, 0.0F);
    glVertex2f(left, bottom - h);
    glTexCoord2f(u, 0.0F);
    glVertex2f(left + w, bottom - h);
    glTexCoord2f(u, v);
    glVertex2f(left + w, bottom);
    glTexCoord2f(0.0F, v);
    glVertex2f(left, bottom);
    glEnd();

    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
}

} // namespace kubrix
