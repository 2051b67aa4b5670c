#include "render/PageFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace velmora {
namespace {

const QString& family() {
    static const QString name = [] {
        const QString wanted = QStringLiteral("Liberation Sans");
        if (!QFontDatabase::families().contains(wanted)) {
            // Installed by fonts-liberation2, but the font configuration of a
            // bare system may not list it yet.
            const QString folder = QStringLiteral("/usr/share/fonts/truetype/liberation2/");
            for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                                     "LiberationSans-Italic.ttf", "LiberationSans-BoldItalic.ttf"})
                QFontDatabase::addApplicationFont(folder + QLatin1String(file));
        }
        return wanted;
    }();
    return name;
}

} // namespace

QFont pageFont(int size, QFont::Weight weight, bool italic) {
    QFont font(family());
    font.setPixelSize(size);
    font.setWeight(weight);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

} // namespace velmora
