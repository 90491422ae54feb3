#pragma once

#include <cstdint>
#include <memory>

#include "embedded/objects/host_context.h"
#include "embedded/objects/sheet_handle.h"
#include "host/application.h"
#include "host/hyperlinks.h"
#include "host/range.h"
#include "host/shapes.h"
#include "host/sheet.h"
#include "host/workbook.h"

namespace tabulara::embedded {

// New references to the host's objects.
host::Ref<host::Application> MakeApplication(const Context& context);
host::Ref<host::Workbook> MakeWorkbook(const Context& context, const std::shared_ptr<model::Workbook>& workbook);
host::Ref<host::Sheets> MakeSheets(const Context& context, const std::shared_ptr<model::Workbook>& workbook,
                                   bool worksheetsOnly);
// A Worksheet for a worksheet, a Sheet for other kinds.
host::Ref<host::Sheet> MakeSheet(const Context& context, const SheetTarget& target);
host::Ref<host::Worksheet> MakeWorksheet(const Context& context, const SheetTarget& target);
host::Ref<host::Range> MakeRange(const Context& context, const SheetTarget& target, model::Areas areas);
host::Ref<host::Font> MakeFont(const Context& context, const SheetTarget& target, model::Areas areas);
host::Ref<host::Hyperlinks> MakeHyperlinks(const Context& context, const SheetTarget& target);
host::Ref<host::Shapes> MakeShapes(const Context& context, const SheetTarget& target);
host::Ref<host::Shape> MakeShape(const Context& context, const SheetTarget& target, std::uint32_t id);
host::Ref<host::LineFormat> MakeLineFormat(const Context& context, const SheetTarget& target, std::uint32_t id);
// The fore colour, or the back colour, of a shape's line.
host::Ref<host::ColorFormat> MakeLineColor(const Context& context, const SheetTarget& target, std::uint32_t id,
                                           bool foreColor);
host::Ref<host::ControlFormat> MakeControlFormat(const Context& context, const SheetTarget& target, std::uint32_t id);
// The comment whose box is the shape `boxId`.
host::Ref<host::Comment> MakeComment(const Context& context, const SheetTarget& target, std::uint32_t boxId);

}  // namespace tabulara::embedded
