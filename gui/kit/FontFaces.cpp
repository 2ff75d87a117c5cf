#include "gui/kit/FontFaces.h"

#include <QFontDatabase>
#include <algorithm>
#include <iterator>

QStringList TextToolbarFaces() {
    QStringList faces = QFontDatabase::families(QFontDatabase::Latin);
    faces += QFontDatabase::families(QFontDatabase::Symbol);
    faces.removeIf([](const QString& face) { return !QFontDatabase::isScalable(face); });
    return FamilyNames(faces);
}

QStringList FamilyNames(QStringList families) {
    for (QString& family : families) {
        if (family.endsWith(QLatin1Char(']'))) {
            if (const qsizetype tag = family.lastIndexOf(QLatin1String(" [")); tag > 0)
                family.truncate(tag);
        }
    }
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

const LOGFONT& GetPreviewLogFont() {
    static const LOGFONT font = [] {
        LOGFONT f;
        f.lfHeight = -80;
        f.lfWeight = 400;
        f.lfOutPrecision = 7;
        f.lfPitchAndFamily = 0x20;
        std::copy_n("Arial", 6, f.lfFaceName);
        return f;
    }();
    return font;
}
