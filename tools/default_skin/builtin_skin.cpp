// The built-in skin package from the program's resources.
#include "default_skin/builtin_skin.h"

#include <QFile>

namespace kubrix {

std::vector<std::uint8_t> builtInSkinPackage()
{
    QFile file(QStringLiteral(":/skins/Kubrix.KBS"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

} // namespace kubrix
