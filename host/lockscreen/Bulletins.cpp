#include "host/SpringBoard.h"
#include "host/lockscreen/Bulletins.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include "platform/uikit/Label.h"
#include <vector>

namespace host {

using quartz::Float;
using quartz::Rect;
using runtime::Object;
using runtime::Sel;

namespace {

class BulletinListController : public Object {
public:
    runtime::Ref<uikit::View> view;  // the SBAwayBulletinListView
    runtime::Ref<uikit::View> table; // the SBAwayBulletinTableView inside it
    runtime::Ref<uikit::View> floatingCell;
    std::vector<runtime::Ref<Object>> items; // cell content views, oldest first
    runtime::WeakRef<Object> floatingItem;
    runtime::Ref<Object> unlockActionContext;
};

BulletinListController* me(Object* self) { return static_cast<BulletinListController*>(self); }

Object* view(Object* self, Sel) { return me(self)->view.get(); }
void setUnlockActionContext(Object* self, Sel, Object* context) { me(self)->unlockActionContext = context; }

void setTableItemToFloat(Object* self, Sel, Object* item)
{
    static const Sel force("setTableItemToFloat:force:");
    runtime::send(self, force, item, false);
}

// The newest bulletin floats in a cell above the list; forcing refloats the same item.
void setTableItemToFloatForce(Object* self, Sel, Object* item, bool force)
{
    BulletinListController* c = me(self);
    if (c->floatingItem.get() == item && !force)
        return;
    c->floatingItem = item;
    if (!c->floatingCell) {
        c->floatingCell = uikit::View::make("SBAwayBulletinFloatingCell", quartz::makeRect(0, 0, c->view->bounds().size.width, kBulletinRowHeight));
        c->view->addSubview(c->floatingCell);
    }
    c->floatingCell->setHidden(item == nullptr);
}

Object* initForLayoutStyle(Object* self, Sel, std::int32_t style)
{
    static runtime::Class* cls = runtime::lookUpClass("SBBulletinCellContentView");
    static const Sel init("initWithFrame:");
    Object* made = runtime::sendSuper<Object*>(cls, self, init, quartz::makeRect(0, 0, 320, kBulletinRowHeight));
    auto* v = static_cast<uikit::View*>(made);
    if (!v)
        return nullptr;
    v->setTag(style);
    // What the screen shows of a bulletin: a dark translucent row with its title.
    v->setBackgroundColor(uikit::Color::make(0, 0, 0, 0.45f).get());
    auto title = uikit::Label::make(quartz::makeRect(12, 8, 296, 22));
    title->setFont(uikit::Font::boldSystemFont(15).get());
    title->setTextColor(uikit::Color::whiteColor());
    title->setText("Test Bulletin");
    title->setUserInteractionEnabled(false);
    v->addSubview(title.get());
    return made;
}

// The table and the floating cell hand their touches on, as any view does.
constexpr char kTableView[] = "SBAwayBulletinTableView";
constexpr char kFloatingCell[] = "SBAwayBulletinFloatingCell";

template<const char* Name>
void passOn(Object* self, Sel cmd, Object* touches, Object* event)
{
    static runtime::Class* cls = runtime::lookUpClass(Name);
    runtime::sendSuper(cls, self, cmd, touches, event);
}

template<const char* Name>
void registerTouchClass()
{
    if (wanted(Name))
        runtime::ClassBuilder(Name, "UIView")
            .instancesOf<uikit::View>()
            .method("touchesBegan:withEvent:", &passOn<Name>)
            .method("touchesMoved:withEvent:", &passOn<Name>)
            .method("touchesEnded:withEvent:", &passOn<Name>)
            .method("touchesCancelled:withEvent:", &passOn<Name>)
            .registerClass();
}

} // namespace

void registerBulletinClasses()
{
    if (wanted("SBAwayBulletinListController"))
        runtime::ClassBuilder("SBAwayBulletinListController", "NSObject")
            .instancesOf<BulletinListController>()
            .method("view", &view)
            .method("setUnlockActionContext:", &setUnlockActionContext)
            .method("setTableItemToFloat:", &setTableItemToFloat)
            .method("setTableItemToFloat:force:", &setTableItemToFloatForce)
            .registerClass();
    if (wanted("SBAwayBulletinListView"))
        runtime::ClassBuilder("SBAwayBulletinListView", "UIView").instancesOf<uikit::View>().registerClass();
    if (wanted("SBBulletinCellContentView"))
        runtime::ClassBuilder("SBBulletinCellContentView", "UIView")
            .instancesOf<uikit::View>()
            .method("_initForLayoutStyle:", &initForLayoutStyle)
            .registerClass();
    registerTouchClass<kTableView>();
    registerTouchClass<kFloatingCell>();
}

runtime::Ref<Object> makeBulletinListController(Rect listFrame)
{
    runtime::Ref<Object> made = runtime::alloc(runtime::lookUpClass("SBAwayBulletinListController"));
    BulletinListController* c = me(made.get());
    if (!c)
        return nullptr;
    c->view = uikit::View::make("SBAwayBulletinListView", listFrame);
    c->table = uikit::View::make("SBAwayBulletinTableView", quartz::makeRect(0, 0, listFrame.size.width, listFrame.size.height));
    c->view->addSubview(c->table);
    static const Sel setHidden("setHidden:");
    runtime::send(c->view, setHidden, true);
    return made;
}

void addTestBulletin(Object* listController)
{
    BulletinListController* c = me(listController);
    if (!c || !c->view)
        return;
    static const Sel alloc("_initForLayoutStyle:"), setHidden("setHidden:"), setFrame("setFrame:"), setAlpha("setAlpha:"),
        toFloat("setTableItemToFloat:");
    runtime::Ref<Object> cell = runtime::alloc(runtime::lookUpClass("SBBulletinCellContentView"));
    Object* item = runtime::send<Object*>(cell, alloc, std::int32_t(0));
    if (!item)
        return;
    c->items.emplace_back(item);
    auto* itemView = static_cast<uikit::View*>(item);
    itemView->setFrame(quartz::makeRect(0, kBulletinRowHeight * Float(c->items.size() - 1), c->view->bounds().size.width, kBulletinRowHeight));
    c->table->addSubview(itemView);
    // The list shows (and is laid out again) once it has bulletins.
    runtime::send(c->view, setFrame, c->view->frame());
    runtime::send(c->view, setHidden, false);
    runtime::send(c->view, setAlpha, Float(1));
    runtime::send(listController, toFloat, item);
}

std::int32_t bulletinCount(Object* listController)
{
    auto* c = me(listController);
    return c ? std::int32_t(c->items.size()) : 0;
}

} // namespace host
