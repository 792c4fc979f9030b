#pragma once
// The options dialog as designed: captions, lengths in twips (1/1440 inch) and the
// order in which the keyboard visits the controls. Every platform lays it out from here,
// through TwipsToPixels.
#include "Twips.h"

#include <array>

struct TwipRect {
    int left, top, width, height;
};

struct ControlDesign {
    const char16_t* caption;
    TwipRect rect;
};

namespace frmOptionsDesign {

inline constexpr const char16_t* kCaption = u"オプション";
inline constexpr int kClientWidth = 5805;
inline constexpr int kClientHeight = 3450;

// In tab order: OK (0), Cancel (1), Apply (2), then the check box (9).
inline constexpr ControlDesign kCmdOK{u"OK", {2055, 2760, 1095, 375}};
inline constexpr ControlDesign kCmdCancel{u"ｷｬﾝｾﾙ", {3285, 2760, 1095, 375}};
inline constexpr ControlDesign kCmdApply{u"更新", {4500, 2760, 1095, 375}};
inline constexpr ControlDesign kCheck1{u"関連づける", {2130, 960, 1215, 285}};

// Three pages that nothing refers to, kept outside the visible area.
inline constexpr TwipRect kPicOptions{-20000, 480, 5685, 2160};
inline constexpr TwipRect kFraSample{120, 120, 2415, 1815};  // inside its picture box
inline constexpr std::array<const char16_t*, 3> kFraSampleCaptions{u"ｻﾝﾌﾟﾙ 2", u"ｻﾝﾌﾟﾙ 3", u"ｻﾝﾌﾟﾙ 4"};

} // namespace frmOptionsDesign
