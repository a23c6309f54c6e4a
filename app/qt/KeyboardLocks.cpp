#include "app/qt/KeyboardLocks.h"

#include <QGuiApplication>

#include <dlfcn.h>

// The X library is opened at run time: no build dependency, and nothing at all on a
// display server that is not X.
namespace {

using Display = struct _XDisplay;
using Atom = unsigned long;
using InternAtomFn = Atom (*)(Display*, const char*, int);
using GetNamedIndicatorFn = int (*)(Display*, Atom, int*, int*, void*, int*);

}  // namespace

struct KeyboardLocks::Impl {
    void* library = nullptr;
    Display* display = nullptr;
    GetNamedIndicatorFn getNamedIndicator = nullptr;
    Atom caps = 0;
    Atom num = 0;
    Atom scroll = 0;
};

KeyboardLocks::KeyboardLocks() : impl_(std::make_unique<Impl>())
{
#if QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return;
    impl_->library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (!impl_->library)
        return;
    auto internAtom = reinterpret_cast<InternAtomFn>(dlsym(impl_->library, "XInternAtom"));
    impl_->getNamedIndicator = reinterpret_cast<GetNamedIndicatorFn>(dlsym(impl_->library, "XkbGetNamedIndicator"));
    if (!internAtom || !impl_->getNamedIndicator)
        return;
    impl_->display = reinterpret_cast<Display*>(x11->display());
    impl_->caps = internAtom(impl_->display, "Caps Lock", 0);
    impl_->num = internAtom(impl_->display, "Num Lock", 0);
    impl_->scroll = internAtom(impl_->display, "Scroll Lock", 0);
#endif
}

KeyboardLocks::~KeyboardLocks()
{
    if (impl_->library)
        dlclose(impl_->library);
}

bool KeyboardLocks::CanRead() const { return impl_->display && impl_->getNamedIndicator; }

std::optional<LockKeyState> KeyboardLocks::Read() const
{
    if (!CanRead())
        return std::nullopt;
    auto indicator = [this](Atom name) {
        int index = 0;
        int on = 0;
        int real = 0;
        return impl_->getNamedIndicator(impl_->display, name, &index, &on, nullptr, &real) && on;
    };
    LockKeyState state;
    state.caps = indicator(impl_->caps);
    state.num = indicator(impl_->num);
    state.scroll = indicator(impl_->scroll);
    return state;
}
