#pragma once
// The context menus of the page frames (menus 190 and 191) and their command ids. The
// commands reach the view, which acts on the active frame.
#include "platform/MenuModel.h"

namespace framecmd {
inline constexpr int kDelete = 32905;
inline constexpr int kEditContents = 32906;   // text and style, or load a picture
inline constexpr int kEditBorder = 32907;
inline constexpr int kEditAnchoring = 32908;
inline constexpr int kFitWidth = 32909;       // width from the picture's proportions
inline constexpr int kOriginalSize = 32910;
inline constexpr int kDrawBelow = 32911;
inline constexpr int kFitHeight = 32912;      // height from the picture's proportions
inline constexpr int kDuplicate = 32957;
}  // namespace framecmd

// The items of the frame menu menuId (190: text frame, 191: picture frame) in French;
// an empty menu for any other id.
MenuModel BuildFrameContextMenu(int menuId);
// The same menu in the program language. A command shared by both menus with different
// texts is looked up in the language file under the menu's own key ("menu190", "menu191").
MenuModel LoadFrameContextMenu(int menuId);
