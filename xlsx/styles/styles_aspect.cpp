#include "xlsx/styles/styles_aspect.h"

#include <algorithm>

#include "xlsx/aspects.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/styles/builtin_number_formats.h"
#include "xlsx/styles/font_element.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::CellFormat;

constexpr const char* kContentTypeStyles = "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
// The first id of the numFmt entries a workbook defines itself.
constexpr int kFirstCustomNumberFormat = 164;

std::string Serialized(const pugi::xml_node& node) {
  struct Writer : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
  } writer;
  node.print(writer, "", pugi::format_raw);
  return writer.text;
}

bool IsTrue(const pugi::xml_attribute& attribute, bool absent) {
  if (!attribute) return absent;
  const std::string_view value = attribute.value();
  return value == "1" || value == "true";
}

std::uint32_t ElementCount(const pugi::xml_node& list) {
  std::uint32_t count = 0;
  for (const pugi::xml_node child : list.children()) count += child.type() == pugi::node_element ? 1 : 0;
  return count;
}

void SetCount(pugi::xml_node list) {
  const std::uint32_t count = ElementCount(list);
  pugi::xml_attribute attribute = list.attribute("count");
  if (!attribute) attribute = list.append_attribute("count");
  attribute.set_value(std::to_string(count).c_str());
}

bool SameModelParts(const CellFormat& a, const CellFormat& b) {
  return a.font == b.font && a.numberFormat == b.numberFormat && a.locked == b.locked &&
         a.quotePrefix == b.quotePrefix && a.style == b.style;
}

// The host's built-in id of the Hyperlink cell style.
constexpr const char* kHyperlinkBuiltinId = "8";

// The list named `local` under the style sheet's root, created before
// `before` (or at the end) when missing.
pugi::xml_node ObtainList(pugi::xml_node root, std::string_view local, const pugi::xml_node& before) {
  if (pugi::xml_node list = ChildNamed(root, local)) return list;
  const std::string name = NameLike(root, local);
  return before ? root.insert_child_before(name.c_str(), before) : root.append_child(name.c_str());
}

// A minimal style sheet whose one font and one entry hold `defaults`.
void BuildMinimalStyleSheet(pugi::xml_document& xml, const CellFormat& defaults) {
  xml.load_string(
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
      "<fonts count=\"1\"><font/></fonts>"
      "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
      "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
      "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
      "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
      "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
      "</styleSheet>",
      pugi::parse_default | pugi::parse_declaration);
  pugi::xml_node font = xml.document_element().child("fonts").child("font");
  ApplyFont(font, defaults.font, embedded::model::Font{"", 0, false, false});
}

// The list's element at `index`, counting elements only.
pugi::xml_node NthElement(const pugi::xml_node& list, std::uint32_t index) {
  for (const pugi::xml_node child : list.children()) {
    if (child.type() == pugi::node_element && index-- == 0) return child;
  }
  return {};
}

}  // namespace

bool StylesAspect::LoadPart(WorkbookParts& parts) {
  loaded_ = true;
  const Relationship* relationship = parts.RelationshipsOf(parts.workbookPart).FindType(kRelStyles);
  if (relationship == nullptr) return false;
  const auto stored = parts.package.Find(ResolveTarget(parts.workbookPart, relationship->target));
  if (!stored) return false;
  partName_ = *stored;
  xml_ = ParseXmlPart(parts.package.Read(partName_), partName_);
  exists_ = true;
  return true;
}

void StylesAspect::Prepare(WorkbookParts& parts) {
  if (loaded_) return;
  const CellFormat defaults = parts.workbook->formats.Get(0);
  if (LoadPart(parts)) Load(defaults);
  if (read_.empty()) Reset(defaults);
}

void StylesAspect::Read(WorkbookParts& parts) {
  const CellFormat defaults = parts.workbook->formats.Get(0);
  if (LoadPart(parts)) Load(defaults);
  if (read_.empty()) {
    // A workbook without styles, or with no cell formats in them: format 0
    // stays the model's and new formats derive from a minimal style sheet.
    Reset(defaults);
    return;
  }
  embedded::model::FormatTable formats(read_.front());
  for (std::size_t i = 1; i < read_.size(); ++i) formats.Intern(read_[i]);
  parts.workbook->formats = std::move(formats);
}

void StylesAspect::Reset(const CellFormat& defaults) {
  BuildMinimalStyleSheet(xml_, defaults);
  customNumberFormats_.clear();
  styleEntries_.clear();
  fontIds_.clear();
  xfIds_.clear();
  fontNodes_.clear();
  xfNodes_.clear();
  read_.clear();
  Load(defaults);
}

void StylesAspect::Load(const CellFormat& defaults) {
  const pugi::xml_node root = xml_.document_element();
  for (const pugi::xml_node format : ChildNamed(root, "numFmts").children()) {
    if (!IsNamed(format, "numFmt")) continue;
    customNumberFormats_[format.attribute("numFmtId").as_int()] = format.attribute("formatCode").value();
  }
  fonts_ = ChildNamed(root, "fonts");
  defaultFont_ = defaults.font;
  std::vector<embedded::model::Font> fonts;
  for (const pugi::xml_node font : fonts_.children()) {
    if (!IsNamed(font, "font")) continue;
    fontIds_.try_emplace(Serialized(font), static_cast<std::uint32_t>(fontNodes_.size()));
    fontNodes_.push_back(font);
    fonts.push_back(ReadFont(font, defaults.font));
  }
  std::map<std::uint32_t, std::string> styleNames;
  for (const pugi::xml_node style : ChildNamed(root, "cellStyles").children()) {
    if (!IsNamed(style, "cellStyle")) continue;
    styleEntries_.try_emplace(style.attribute("name").value(), style.attribute("xfId").as_uint());
    styleNames.try_emplace(style.attribute("xfId").as_uint(), style.attribute("name").value());
  }
  cellXfs_ = ChildNamed(root, "cellXfs");
  for (const pugi::xml_node xf : cellXfs_.children()) {
    if (!IsNamed(xf, "xf")) continue;
    CellFormat format;
    const auto fontId = xf.attribute("fontId").as_uint();
    format.font = fontId < fonts.size() ? fonts[fontId] : defaults.font;
    const int numberFormatId = xf.attribute("numFmtId").as_int();
    if (auto custom = customNumberFormats_.find(numberFormatId); custom != customNumberFormats_.end()) {
      format.numberFormat = custom->second;
    } else {
      format.numberFormat = std::string(BuiltinNumberFormat(numberFormatId).value_or("General"));
    }
    format.locked = IsTrue(ChildNamed(xf, "protection").attribute("locked"), true);
    format.quotePrefix = IsTrue(xf.attribute("quotePrefix"), false);
    if (auto style = styleNames.find(xf.attribute("xfId").as_uint()); style != styleNames.end()) {
      format.style = style->second;
    }
    format.fileFormat = static_cast<std::int32_t>(xfNodes_.size());
    xfIds_.try_emplace(Serialized(xf), static_cast<std::uint32_t>(xfNodes_.size()));
    xfNodes_.push_back(xf);
    read_.push_back(std::move(format));
  }
}

std::uint32_t StylesAspect::FileFormatOf(const embedded::model::FormatTable& formats, std::uint32_t id) {
  if (read_.empty()) Reset(formats.Get(0));
  if (id >= written_.size()) written_.resize(formats.size(), -1);
  if (written_[id] >= 0) return static_cast<std::uint32_t>(written_[id]);
  const CellFormat& format = formats.Get(id);
  const bool fromFile = format.fileFormat >= 0 && static_cast<std::size_t>(format.fileFormat) < read_.size();
  const std::uint32_t base = fromFile ? static_cast<std::uint32_t>(format.fileFormat) : 0;
  std::uint32_t entry = base;
  if (!SameModelParts(format, read_[base])) entry = Derive(base, format);
  written_[id] = entry;
  return entry;
}

const CellFormat* StylesAspect::EntryFormat(std::uint32_t entry) const {
  return entry < read_.size() ? &read_[entry] : nullptr;
}

std::uint32_t StylesAspect::Derive(std::uint32_t base, const CellFormat& format) {
  const CellFormat& original = read_[base];
  pugi::xml_node xf = cellXfs_.append_copy(xfNodes_[base]);
  std::optional<std::uint32_t> styleEntry;
  if (format.style != original.style) styleEntry = StyleEntry(format.style);
  if (styleEntry) {
    // The style's font replaces the cell's, with the model's font on top.
    const pugi::xml_node styleXf = NthElement(ChildNamed(xml_.document_element(), "cellStyleXfs"), *styleEntry);
    SetAttribute(xf, "xfId", std::to_string(*styleEntry).c_str());
    SetAttribute(xf, "fontId", std::to_string(FontFor(styleXf.attribute("fontId").as_uint(), format.font)).c_str());
  } else if (format.font != original.font) {
    const std::uint32_t font = FontFor(xf.attribute("fontId").as_uint(), format.font);
    SetAttribute(xf, "fontId", std::to_string(font).c_str());
    SetAttribute(xf, "applyFont", "1");
  }
  if (format.quotePrefix != original.quotePrefix) {
    if (format.quotePrefix) {
      SetAttribute(xf, "quotePrefix", "1");
    } else {
      xf.remove_attribute("quotePrefix");
    }
  }
  if (format.numberFormat != original.numberFormat) {
    SetAttribute(xf, "numFmtId", std::to_string(NumberFormatIdFor(format.numberFormat)).c_str());
    SetAttribute(xf, "applyNumberFormat", "1");
  }
  if (format.locked != original.locked) SetProtection(xf, format.locked);
  std::string key = Serialized(xf);
  if (auto found = xfIds_.find(key); found != xfIds_.end()) {
    cellXfs_.remove_child(xf);
    return found->second;
  }
  const auto entry = static_cast<std::uint32_t>(xfNodes_.size());
  xfIds_.emplace(std::move(key), entry);
  xfNodes_.push_back(xf);
  CellFormat derived = format;
  derived.fileFormat = static_cast<std::int32_t>(entry);
  read_.push_back(std::move(derived));
  SetCount(cellXfs_);
  changed_ = true;
  return entry;
}

std::uint32_t StylesAspect::FontFor(std::uint32_t baseFont, const embedded::model::Font& font) {
  pugi::xml_document scratch;
  pugi::xml_node candidate = baseFont < fontNodes_.size() ? scratch.append_copy(fontNodes_[baseFont])
                                                          : scratch.append_child(NameLike(fonts_, "font").c_str());
  const embedded::model::Font original =
      baseFont < fontNodes_.size() ? ReadFont(fontNodes_[baseFont], defaultFont_) : embedded::model::Font{"", 0, false, false};
  ApplyFont(candidate, font, original);
  std::string key = Serialized(candidate);
  if (auto found = fontIds_.find(key); found != fontIds_.end()) return found->second;
  const auto id = static_cast<std::uint32_t>(fontNodes_.size());
  fontNodes_.push_back(fonts_.append_copy(candidate));
  fontIds_.emplace(std::move(key), id);
  SetCount(fonts_);
  return id;
}

std::uint32_t StylesAspect::NumberFormatIdFor(const std::string& code) {
  if (const auto builtin = BuiltinNumberFormatId(code)) return static_cast<std::uint32_t>(*builtin);
  int next = kFirstCustomNumberFormat;
  for (const auto& [id, custom] : customNumberFormats_) {
    if (custom == code) return static_cast<std::uint32_t>(id);
    next = std::max(next, id + 1);
  }
  pugi::xml_node root = xml_.document_element();
  pugi::xml_node list = ChildNamed(root, "numFmts");
  if (!list) list = root.prepend_child(NameLike(root, "numFmts").c_str());
  pugi::xml_node format = list.append_child(NameLike(list, "numFmt").c_str());
  format.append_attribute("numFmtId") = next;
  format.append_attribute("formatCode") = code.c_str();
  SetCount(list);
  customNumberFormats_[next] = code;
  return static_cast<std::uint32_t>(next);
}

void StylesAspect::SetProtection(pugi::xml_node xf, bool locked) {
  pugi::xml_node protection = ChildNamed(xf, "protection");
  if (!protection) {
    const pugi::xml_node extensions = ChildNamed(xf, "extLst");
    const std::string name = NameLike(xf, "protection");
    protection = extensions ? xf.insert_child_before(name.c_str(), extensions) : xf.append_child(name.c_str());
  }
  SetAttribute(protection, "locked", locked ? "1" : "0");
  SetAttribute(xf, "applyProtection", "1");
}

std::optional<std::uint32_t> StylesAspect::StyleEntry(const std::string& name) {
  if (auto found = styleEntries_.find(name); found != styleEntries_.end()) return found->second;
  if (name != "Hyperlink") return std::nullopt;
  const std::uint32_t entry = AddHyperlinkStyle();
  styleEntries_.emplace(name, entry);
  return entry;
}

std::uint32_t StylesAspect::AddHyperlinkStyle() {
  pugi::xml_node root = xml_.document_element();
  pugi::xml_node styleXfs = ObtainList(root, "cellStyleXfs", cellXfs_);
  if (!NthElement(styleXfs, 0)) {
    pugi::xml_node normal = styleXfs.append_child(NameLike(styleXfs, "xf").c_str());
    for (const char* attribute : {"numFmtId", "fontId", "fillId", "borderId"}) normal.append_attribute(attribute) = "0";
  }
  pugi::xml_document scratch;
  const std::uint32_t normalFont = NthElement(styleXfs, 0).attribute("fontId").as_uint();
  pugi::xml_node font = normalFont < fontNodes_.size() ? scratch.append_copy(fontNodes_[normalFont])
                                                       : scratch.append_child(NameLike(fonts_, "font").c_str());
  MakeHyperlinkFont(font);
  std::string key = Serialized(font);
  auto fontId = static_cast<std::uint32_t>(fontNodes_.size());
  if (auto found = fontIds_.find(key); found != fontIds_.end()) {
    fontId = found->second;
  } else {
    fontNodes_.push_back(fonts_.append_copy(font));
    fontIds_.emplace(std::move(key), fontId);
    SetCount(fonts_);
  }
  const std::uint32_t entry = ElementCount(styleXfs);
  pugi::xml_node xf = styleXfs.append_child(NameLike(styleXfs, "xf").c_str());
  xf.append_attribute("numFmtId") = "0";
  xf.append_attribute("fontId") = fontId;
  for (const char* attribute : {"fillId", "borderId"}) xf.append_attribute(attribute) = "0";
  for (const char* attribute : {"applyNumberFormat", "applyFill", "applyBorder", "applyAlignment", "applyProtection"}) {
    xf.append_attribute(attribute) = "0";
  }
  SetCount(styleXfs);
  pugi::xml_node styles = ObtainList(root, "cellStyles", cellXfs_.next_sibling());
  if (!ChildNamed(styles, "cellStyle")) {
    pugi::xml_node normal = styles.append_child(NameLike(styles, "cellStyle").c_str());
    normal.append_attribute("name") = "Normal";
    normal.append_attribute("xfId") = "0";
    normal.append_attribute("builtinId") = "0";
  }
  pugi::xml_node style = styles.append_child(NameLike(styles, "cellStyle").c_str());
  style.append_attribute("name") = "Hyperlink";
  style.append_attribute("xfId") = entry;
  style.append_attribute("builtinId") = kHyperlinkBuiltinId;
  SetCount(styles);
  return entry;
}

void StylesAspect::Write(WorkbookParts& parts) {
  if (!changed_) return;
  if (!exists_) {
    partName_ = ResolveTarget(parts.workbookPart, "styles.xml");
    parts.RelationshipsOf(parts.workbookPart).Add(kRelStyles, RelativeTarget(parts.workbookPart, partName_));
    parts.contentTypes.Override(partName_, kContentTypeStyles);
    exists_ = true;
  }
  parts.package.Write(partName_, SerializeXmlPart(xml_));
  changed_ = false;
}

std::unique_ptr<WorkbookAspect> MakeStylesAspect() { return std::make_unique<StylesAspect>(); }

}  // namespace tabulara::xlsx
