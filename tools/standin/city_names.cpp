// Invented city names: each list joins the first and second parts of its own
// word stock, drawn by a fixed generator, so the files are the same on every
// run. The accented letters are Windows-1252 bytes.

#include "city_names.h"

#include <cctype>
#include <set>

namespace standin {
namespace {

struct NameStock {
    std::vector<const char*> first;
    std::vector<const char*> second;
};

// clang-format off
const NameStock kStocks[kCityNameLists] = {
    {{"Ash", "Brack", "Cald", "Dun", "Elm", "Fen", "Glim", "Hart", "Ivy", "Kes", "Lark", "Marl",
      "Nether", "Oak", "Pell", "Quill", "Rook", "Sorrel", "Thorn", "Wend", "Yarrow", "Bram"},
     {"ford", "bury", "wick", "ton", "stead", "holm", "ley", "mere", "dale", "gate", "field",
      "brook", "cliff", "haven", "moor", "worth", "combe", "hithe"}},
    {{"Alt", "Birk", "Eich", "Falk", "Gr\xFCn", "Hasel", "Kalt", "Lind", "M\xFChl", "Ober", "Rot",
      "Sch\xF6n", "Stein", "Tann", "Wei\xDF", "Wolf", "Erlen", "Gold", "Krumm", "Sonn"},
     {"au", "bach", "berg", "burg", "dorf", "feld", "hagen", "hausen", "heim", "stadt", "tal",
      "wald", "br\xFC" "ck", "hofen", "k\xE4mp", "m\xFChle"}},
    {{"Beau", "Belle", "Champ", "Clair", "Fon", "Mont", "Pr\xE9", "Roche", "Val", "Ville",
      "Bois", "Clos", "Font", "Haut", "Lor", "Mar", "Noir", "Rive", "Sau", "Ter"},
     {"court", "fort", "lieu", "mont", "ville", "bois", "champ", "mer", "val", "aine",
      "fl\xE8" "che", "ronde", "pr\xE9", "sac", "ignac", "ay"}},
    {{"Ask", "Bj\xF8rn", "Dal", "Fjell", "Gr\xE5", "Hav", "Lund", "Nord", "Sj\xF8", "Skog",
      "Strand", "Vik", "Ulv", "Rav", "Eid", "Lyng", "Myr", "Sol", "Tind", "Ved"},
     {"by", "berg", "dal", "fors", "holm", "lund", "nes", "stad", "vik", "\xE5s", "\xF8y",
      "rud", "sund", "mark", "heim", "torp"}},
    {{"Alta", "Bella", "Casa", "Costa", "Monte", "Porto", "Rio", "Serra", "Valle", "Villa",
      "Torre", "Pietra", "Campo", "Fonte", "Lago", "Mira", "Rocca", "Sella", "Terra", "Cala"},
     {"bello", "ferro", "lago", "mar", "nero", "rosa", "sole", "vento", "verde", "fiore",
      "luna", "se\xF1" "a", "do\xF1" "a", "chiara", "bruna", "dorata"}},
};
// clang-format on

// A small fixed generator (the file must not depend on the game's one).
class Draw {
  public:
    explicit Draw(uint32_t seed) : state_(seed) {}
    size_t Below(size_t n) {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<size_t>((state_ >> 16) % n);
    }

  private:
    uint32_t state_;
};

}  // namespace

std::vector<std::string> MakeCityNames(int list) {
    std::vector<std::string> names;
    if (list < 1 || list > kCityNameLists) return names;
    const NameStock& stock = kStocks[list - 1];
    Draw draw(0x5EED0000u + static_cast<uint32_t>(list));
    std::set<std::string> taken;
    while (names.size() < static_cast<size_t>(kCityNamesPerList)) {
        std::string first = stock.first[draw.Below(stock.first.size())];
        const std::string second = stock.second[draw.Below(stock.second.size())];
        // No stuttering names such as "Villeville".
        std::string lower = first;
        lower[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lower[0])));
        if (second.compare(0, lower.size(), lower) == 0) continue;
        const std::string name = first + second;
        if (name.size() > 19 || !taken.insert(name).second) continue;
        names.push_back(name);
    }
    return names;
}

std::vector<uint8_t> MakeCityNamesFile(int list) {
    std::vector<uint8_t> bytes;
    for (const std::string& name : MakeCityNames(list)) {
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.push_back('\r');
        bytes.push_back('\n');
    }
    return bytes;
}

void AddCityNameFiles(std::vector<FileRecipe>& files) {
    for (int list = 1; list <= kCityNameLists; ++list) {
        files.push_back(
            {"names" + std::to_string(list) + ".txt", [list] { return MakeCityNamesFile(list); }});
    }
}

}  // namespace standin
