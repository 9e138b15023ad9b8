#include "platform/FontLookup.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

namespace platform {

namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

bool namesFontFile(const std::string& name) {
  const std::string ext = std::filesystem::path(name).extension().string();
  return strcasecmp(ext.c_str(), ".ttf") == 0 || strcasecmp(ext.c_str(), ".otf") == 0;
}

// fontconfig stays loaded for the whole run and is released at exit, so leak checkers see a
// clean process.
bool startFontconfig() {
  struct Library {
    bool ok = FcInit() == FcTrue;
    ~Library() {
      if (ok) FcFini();
    }
  };
  static Library library;
  return library.ok;
}

// The installed file of exactly this family. fontconfig always answers with its best match,
// so the answer only counts when it carries the family asked for.
std::optional<FontFile> installed(const std::string& family) {
  if (!startFontconfig()) return std::nullopt;
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match || result != FcResultMatch) return std::nullopt;

  bool familyMatches = false;
  FcChar8* found = nullptr;
  for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &found) == FcResultMatch; ++i) {
    if (strcasecmp(reinterpret_cast<const char*>(found), family.c_str()) == 0) {
      familyMatches = true;
      break;
    }
  }
  FcChar8* file = nullptr;
  if (!familyMatches || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    return std::nullopt;
  }
  return FontFile{reinterpret_cast<const char*>(file), family};
}

}  // namespace

FontFile findFont(const std::string& family) {
  if (namesFontFile(family)) {
    if (std::filesystem::is_regular_file(family)) return FontFile{family, family};
    throw std::runtime_error("font file \"" + family + "\" not found");
  }
  for (const std::string& candidate :
       {family, std::string("Open Sans"), std::string("DejaVu Sans")}) {
    if (auto file = installed(candidate)) return *file;
  }
  throw std::runtime_error("no font found for the family \"" + family +
                           "\" nor for its stand-ins \"Open Sans\" and \"DejaVu Sans\"");
}

}  // namespace platform
