#pragma once
// The program's icon, 32 × 32: an open book of Hebrew text with a ribbon
// marker. Magenta is transparent; other characters name colours as
// resources/pixel_art.h lists.

#include "resources/pixel_art.h"
#include "resources/program_resources.h"

namespace quillory {

constexpr PixelArt<kIconSize, kIconSize> kProgramIconPicture{{
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
    "MMMMMMMMM#####MMMM#####MMMMMMMMM",
    "MMMMM####WWWWW#MM#WWWWW####MMMMM",
    "MM###WWWWWWWWW.##.WWWWWWWWW###MM",
    "MM#WWWWWWWWWWW.++.WWWWWWWWWWW#MM",
    "MM#W####W####W.++.W##W##W###W#MM",
    "MM#WWWWWWWWWWW.++.WWWWWWWWWWW#MM",
    "MM#W##W###W##W.++.W###W#####W#MM",
    "MM#WWWWWWWWWWW.++.WWWWWWWWWWW#MM",
    "MM#W###W#####W.++.W###W##W##W#MM",
    "MM#WWWWWWWWWWW.++.WWWWWWWWWWW#MM",
    "MM#W##W##W###W.++.W##W######W#MM",
    "MM#WWWWWWWWWWW.++.WWWWWWWWWWW#MM",
    "MM#WWW####W##W.++.W##W##W###W#MM",
    "MM#WWWWWWWWWWW.++.WWWWWWWWWWW#MM",
    "MM#W##W#W####W.++.W####W####W#MM",
    "MM#WWWWWWWWWWW.++.WWWWWWWWWWW#MM",
    "MM#WWWWWWW###W.++.WWWW###W##W#MM",
    "MM#WWWWWWWWWWW.++.WWWWWWWWWWW#MM",
    "MM#WWWWWW#####.++.#####WWWWWW#MM",
    "MM#WW####+++++#++#+++++####WW#MM",
    "M####++++bbbbb+##+bbbbb++++####M",
    "M#+++bbbb#####bRRb#####bbbb+++#M",
    "M#bbb####MMMMM#RR#MMMMM####bbb#M",
    "MM###MMMMMMMMMMRRMMMMMMMMMM###MM",
    "MMMMMMMMMMMMMMMRRMMMMMMMMMMMMMMM",
    "MMMMMMMMMMMMMMMRMMMMMMMMMMMMMMMM",
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
    "MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
}};

}  // namespace quillory
