#pragma once

#include "host/host.h"

namespace tabulara::commands {

// The host's active workbook; error 91 while no workbook is open.
host::Ref<host::Workbook> ActiveWorkbook(const host::Ref<host::Application>& application);

}  // namespace tabulara::commands
