#pragma once
// The lock screen's notification list. "SBAwayBulletinListController" owns the list's "view" (an
// "SBAwayBulletinListView" holding an "SBAwayBulletinTableView", hidden while empty) and its
// bulletins; a new bulletin gets a cell content view ("SBBulletinCellContentView",
// "_initForLayoutStyle:" Object*(std::int32_t)) and floats at the top
// ("setTableItemToFloat:" void(Object*), which the stock passes to
// "setTableItemToFloat:force:" void(Object*, bool), the floating cell being an
// "SBAwayBulletinFloatingCell"). "setUnlockActionContext:" void(Object*) keeps what an unlock
// should open. The table and the floating cell have their own touch methods, which pass touches
// on to the lock view as any view does.

#include "platform/uikit/View.h"
#include <cstdint>

namespace host {

void registerBulletinClasses();
runtime::Ref<runtime::Object> makeBulletinListController(quartz::Rect listFrame);
// "showTestBulletin": one more bulletin in the list.
void addTestBulletin(runtime::Object* listController);
std::int32_t bulletinCount(runtime::Object* listController);

inline constexpr float kBulletinRowHeight = 64;

} // namespace host
