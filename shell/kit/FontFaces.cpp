#include "shell/kit/FontFaces.h"

#include <QFontDatabase>
#include <algorithm>

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
