#include "glyph_fonts.h"

#include <QFile>
#include <QFileInfo>

#include <fontconfig/fontconfig.h>

namespace gazetteer {
namespace {

// Files of the installed face `family` in `style`, through fontconfig, so
// that no path is assumed. Only the first face of a collection is usable:
// QRawFont loads no other.
QStringList fontFiles(const char* family, const char* style) {
    QStringList files;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return files;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>(style));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    if (FcFontSet* set = FcFontList(config, pattern, objects)) {
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* file = nullptr;
            int index = 0;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
                continue;
            if (FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index) == FcResultMatch && index != 0)
                continue;
            const QString path = QFileInfo(QFile::decodeName(reinterpret_cast<const char*>(file)))
                                     .canonicalFilePath();
            if (!path.isEmpty() && !files.contains(path))
                files << path;
        }
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    files.sort();  // the same face on every build, whatever fontconfig's order
    return files;
}

}  // namespace

GlyphFonts::GlyphFonts(double emPixels) {
    const struct { const char* family; bool mincho; } wanted[] = {
        {kGothic, false}, {"HanaMinA", true}, {"HanaMinB", true}};
    for (const auto& w : wanted) {
        for (const QString& file : fontFiles(w.family, "Regular")) {
            QRawFont f(file, emPixels);
            if (f.isValid() && f.familyName() == QLatin1String(w.family)) {
                faces.push_back({f, w.mincho});
                haveGothic = haveGothic || !w.mincho;
                break;
            }
        }
    }
}

const Face* GlyphFonts::faceFor(char32_t code) const {
    for (const Face& f : faces)
        if (f.font.supportsCharacter(static_cast<uint>(code)))
            return &f;
    return nullptr;
}

}  // namespace gazetteer
