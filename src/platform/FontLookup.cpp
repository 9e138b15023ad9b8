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

// A request for the regular upright face of `family`; null when fontconfig cannot start.
PatternPtr regularFace(const std::string& family) {
  if (!startFontconfig()) return nullptr;
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return nullptr;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  return pattern;
}

// fontconfig's best installed font for the request, or null.
PatternPtr bestMatch(FcPattern& pattern) {
  FcConfigSubstitute(nullptr, &pattern, FcMatchPattern);
  FcDefaultSubstitute(&pattern);
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, &pattern, &result));
  return result == FcResultMatch ? std::move(match) : nullptr;
}

// The installed file of exactly this family. fontconfig always answers with its best match,
// so the answer only counts when it carries the family asked for.
std::optional<FontFile> installed(const std::string& family) {
  PatternPtr pattern = regularFace(family);
  if (!pattern) return std::nullopt;
  PatternPtr match = bestMatch(*pattern);
  if (!match) return std::nullopt;

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

struct CharSetDeleter {
  void operator()(FcCharSet* set) const { FcCharSetDestroy(set); }
};
using CharSetPtr = std::unique_ptr<FcCharSet, CharSetDeleter>;

}  // namespace

std::optional<std::string> fontFileWithCharacter(char32_t character) {
  PatternPtr pattern = regularFace("sans-serif");
  CharSetPtr wanted(FcCharSetCreate());
  if (!pattern || !wanted || !FcCharSetAddChar(wanted.get(), character)) return std::nullopt;
  FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted.get());
  PatternPtr match = bestMatch(*pattern);
  if (!match) return std::nullopt;
  // fontconfig answers with its best match even when no font has the character.
  FcCharSet* has = nullptr;
  FcChar8* file = nullptr;
  if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &has) != FcResultMatch ||
      !FcCharSetHasChar(has, character) ||
      FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(file));
}

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
