#include "gui/kit/FontFaces.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <algorithm>
#include <iterator>

#include "platform/SymbolFace.h"

namespace {

// How many of the characters of the Symbol face's codes the family has glyphs for.
int HeldSymbolFaceChars(const QString& family) {
    const QRawFont font = QRawFont::fromFont(QFont(family));
    int held = 0;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char32_t code = SymbolFaceChar(static_cast<unsigned char>(byte));
        held += code && font.supportsCharacter(code);
    }
    return held;
}

}  // namespace

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

QString SymbolFaceFamily() {
    static const QString family = [] {
        QStringList candidates{QFontInfo(QFont("Symbol")).family()};
        candidates += QFontDatabase::families();
        QString best = candidates.first();
        int most = -1;
        for (const QString& candidate : candidates) {
            if (!QFontDatabase::isScalable(candidate))
                continue;
            if (const int held = HeldSymbolFaceChars(candidate); held > most) {
                best = candidate;
                most = held;
            }
        }
        return best;
    }();
    return family;
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
