#pragma once

// Every host interface the add-in calls.
#include "host/addins.h"
#include "host/application.h"
#include "host/button_with_events.h"
#include "host/command_bars.h"
#include "host/constants.h"
#include "host/events.h"
#include "host/extensibility.h"
#include "host/host_error.h"
#include "host/hyperlinks.h"
#include "host/range.h"
#include "host/shapes.h"
#include "host/sheet.h"
#include "host/variant.h"
#include "host/workbook.h"
