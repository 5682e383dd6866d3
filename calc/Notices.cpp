#include "calc/Notices.h"

namespace vlnokan {

std::string noticeText(Notice notice, int mouth) {
    switch (notice) {
    case Notice::C1:
        return "Nelze použít tak velký průměr plechovky,\n\rzmenšili jsme ho na 125";
    case Notice::C2:
        return "Kmitočet je vůči D plechovky příliž nizký,\n\rtak jsme zvětšili její průměr";
    case Notice::F1:
        return "Není doporučeno používat úhel větší\n\rnež 60 stupňů tak jsme ho zmenšili na 60";
    case Notice::F2:
        return "Není doporučeno používat úhel menší\n\rnež 20 stupňů tak jsme ho zvětšili na 20";
    case Notice::F3:
        return "Nemá smysl použít tak malý průměr ústí,\n\rzvětšili jsme ho na " +
               std::to_string(mouth);
    }
    return {};
}

std::string noticeLabel(Notice notice) {
    switch (notice) {
    case Notice::C1:
        return "C1";
    case Notice::C2:
        return "C2";
    case Notice::F1:
        return "F1";
    case Notice::F2:
        return "F2";
    case Notice::F3:
        return "F3";
    }
    return {};
}

} // namespace vlnokan
