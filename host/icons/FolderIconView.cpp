#include "host/icons/FolderIconView.h"
#include "host/SpringBoard.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/Send.h"
#include <string>
#include <vector>

namespace host {

using runtime::Object;
using runtime::Sel;

namespace {

runtime::Class* folderIconViewClass() { static runtime::Class* cls = runtime::lookUpClass("SBFolderIconView"); return cls; }
runtime::Class* folderIconClass() { return runtime::lookUpClass("SBFolderIcon"); }

FolderIconView* me(Object* self) { return static_cast<FolderIconView*>(self); }

Object* initWithDefaultSize(Object* self, Sel cmd)
{
    Object* made = runtime::sendSuper<Object*>(folderIconViewClass(), self, cmd);
    if (!made)
        return nullptr;
    FolderIconView* v = me(made);
    v->m_iconBackgroundView = uikit::ImageView::make(kIconImageFrame);
    v->m_iconBackgroundView->setImage(uikit::Image::named("FolderIconBackground").get());
    v->insertSubviewAbove(v->m_iconBackgroundView.get(), v->m_iconImageView.get());
    v->m_iconForegroundView = uikit::ImageView::make(kIconImageFrame);
    v->insertSubviewAbove(v->m_iconForegroundView.get(), v->m_iconBackgroundView.get());
    return made;
}

// The artwork of each application icon of the folder, in slot order.
runtime::Ref<uikit::Image> miniatures(Object* folderIcon)
{
    static const Sel folderSel("folder"), iconsSel("icons"), bundleIDSel("applicationBundleID");
    Object* folder = runtime::send<Object*>(folderIcon, folderSel);
    std::vector<std::string> parts;
    for (const auto& icon : runtime::send<std::vector<runtime::Ref<Object>>>(folder, iconsSel))
        if (std::string bundleID = runtime::send<std::string>(icon.get(), bundleIDSel); !bundleID.empty())
            parts.push_back("AppIcon-" + bundleID);
    if (parts.empty())
        return nullptr;
    return uikit::Image::composite("FolderMiniatures", std::move(parts));
}

void setIcon(Object* self, Sel cmd, Object* icon)
{
    runtime::sendSuper(folderIconViewClass(), self, cmd, icon);
    FolderIconView* v = me(self);
    if (v->m_iconForegroundView)
        v->m_iconForegroundView->setImage(miniatures(icon).get());
}

void setFolderIcon(Object* self, Sel, Object* icon)
{
    static const Sel setIconSel("setIcon:");
    runtime::send(self, setIconSel, icon);
}

Object* folderIcon(Object* self, Sel)
{
    Object* icon = me(self)->m_icon.get();
    return runtime::isKindOfClass(icon, folderIconClass()) ? icon : nullptr;
}

} // namespace

void FolderIconView::registerClass()
{
    if (wanted("SBFolderIconView"))
        runtime::ClassBuilder("SBFolderIconView", "SBIconView")
            .instancesOf<FolderIconView>()
            .method("initWithDefaultSize", &initWithDefaultSize)
            .method("setIcon:", &setIcon)
            .method("setFolderIcon:", &setFolderIcon)
            .method("folderIcon", &folderIcon)
            .ivar<&FolderIconView::m_iconBackgroundView>("_iconBackgroundView")
            .ivar<&FolderIconView::m_iconForegroundView>("_iconForegroundView")
            .registerClass();
}

} // namespace host
