#pragma once

#include <oaidl.h>

#include <memory>

#include "host/object.h"
#include "platform/clipboard.h"

namespace tabulara::automation {

// A new reference to an IDispatch over the host's object, of the class its
// kind has in the host's type library; nullptr for none.
IDispatch* Expose(const host::Ref<host::Object>& object);

// The embedded host's clipboard, which a button's PasteFace fills from the
// Windows clipboard first.
void ShareClipboard(std::shared_ptr<platform::Clipboard> clipboard);

}  // namespace tabulara::automation
