#include "xlsx/drawing/line_format_xml.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <string>
#include <utility>

#include "xlsx/drawing/drawing_units.h"
#include "xlsx/drawing/xml_lookup.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

// The host's default palette as RRGGBB, color index 1..56; scheme colours
// 8..63 are color indexes 1..56 and scheme colours 0..7 repeat the first eight.
constexpr std::array<std::uint32_t, 56> kPalette{
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000,
    0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF,
    0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000,
    0x008080, 0x0000FF, 0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696, 0x003366, 0x339966,
    0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

// MsoLineDashStyle and the preset dashes; the round dot (3) is written as
// the square one.
constexpr std::array<std::pair<int, std::string_view>, 12> kDashes{{{1, "solid"},
                                                                    {2, "sysDot"},
                                                                    {3, "sysDot"},
                                                                    {4, "dash"},
                                                                    {5, "dashDot"},
                                                                    {6, "sysDashDotDot"},
                                                                    {7, "lgDash"},
                                                                    {8, "lgDashDot"},
                                                                    {9, "lgDashDotDot"},
                                                                    {10, "sysDash"},
                                                                    {11, "dot"},
                                                                    {12, "sysDashDot"}}};

constexpr std::array<std::string_view, 4> kFills{"noFill", "solidFill", "gradFill", "pattFill"};

bool IsFill(const pugi::xml_node& node) {
  for (std::string_view fill : kFills) {
    if (LocalName(node) == fill) return true;
  }
  return false;
}

std::int32_t BgrOfHex(std::string_view hex) {
  std::uint32_t rgb = 0;
  std::from_chars(hex.data(), hex.data() + hex.size(), rgb, 16);
  return static_cast<std::int32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

std::string HexOfBgr(std::int32_t bgr) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  return text;
}

std::string_view DashName(int dashStyle) {
  for (const auto& [style, name] : kDashes) {
    if (style == dashStyle) return name;
  }
  return "solid";
}

// "a:" as the shape's properties name DrawingML's main namespace.
std::string MainPrefix(const pugi::xml_node& shapeProperties) {
  pugi::xml_node first = shapeProperties.first_child();
  std::string prefix = first.type() == pugi::node_element ? PrefixOf(first) : "a";
  return prefix.empty() ? prefix : prefix + ":";
}

}  // namespace

std::int32_t SchemeColorRgb(int schemeColor) {
  int index = schemeColor < 8 ? schemeColor : schemeColor - 8;
  if (index < 0 || index >= static_cast<int>(kPalette.size())) return -1;
  std::uint32_t rgb = kPalette[static_cast<std::size_t>(index)];
  return static_cast<std::int32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

embedded::model::LineFormat ReadLineFormat(const pugi::xml_node& shapeProperties) {
  embedded::model::LineFormat line;
  pugi::xml_node ln = ChildNamed(shapeProperties, "ln");
  if (!ln) return line;
  if (pugi::xml_attribute width = AttributeNamed(ln, "w")) line.weight = static_cast<float>(PointsOfEmu(width.as_double()));
  if (ChildNamed(ln, "noFill")) line.visible = host::msoFalse;
  if (pugi::xml_node rgb = ChildNamed(ChildNamed(ln, "solidFill"), "srgbClr")) {
    line.foreColor.rgb = BgrOfHex(AttributeNamed(rgb, "val").value());
  }
  if (pugi::xml_node dash = ChildNamed(ln, "prstDash")) {
    std::string_view value = AttributeNamed(dash, "val").value();
    for (const auto& [style, name] : kDashes) {
      if (name == value) {
        line.dashStyle = style;
        break;
      }
    }
  }
  return line;
}

void WriteLineFormat(pugi::xml_node shapeProperties, const embedded::model::LineFormat& line) {
  pugi::xml_node ln = ChildNamed(shapeProperties, "ln");
  if (!ln) {
    pugi::xml_node before;
    for (pugi::xml_node child : shapeProperties.children()) {
      std::string_view name = LocalName(child);
      if (name == "effectLst" || name == "effectDag" || name == "scene3d" || name == "sp3d" || name == "extLst") {
        before = child;
        break;
      }
    }
    std::string name = MainPrefix(shapeProperties) + "ln";
    ln = before ? shapeProperties.insert_child_before(name.c_str(), before) : shapeProperties.append_child(name.c_str());
  }
  std::string a = MainPrefix(shapeProperties);
  pugi::xml_attribute width = AttributeNamed(ln, "w");
  if (!width) width = ln.append_attribute("w");
  width.set_value(static_cast<long long>(EmuOfPoints(line.weight)));

  std::int32_t rgb = line.foreColor.rgb.value_or(line.foreColor.schemeColor ? SchemeColorRgb(*line.foreColor.schemeColor) : -1);
  pugi::xml_node fill;
  for (pugi::xml_node child : ln.children()) {
    if (IsFill(child)) fill = child;
  }
  if (line.visible == host::msoFalse || rgb >= 0) {
    pugi::xml_node replacement = fill ? ln.insert_child_before((a + "solidFill").c_str(), fill)
                                      : ln.prepend_child((a + "solidFill").c_str());
    if (fill) ln.remove_child(fill);
    fill = replacement;
    if (line.visible == host::msoFalse) {
      fill.set_name((a + "noFill").c_str());
    } else {
      fill.append_child((a + "srgbClr").c_str()).append_attribute("val") = HexOfBgr(rgb).c_str();
    }
  }
  pugi::xml_node dash = ChildNamed(ln, "prstDash");
  if (!dash) {
    dash = fill ? ln.insert_child_after((a + "prstDash").c_str(), fill) : ln.prepend_child((a + "prstDash").c_str());
  }
  pugi::xml_attribute value = AttributeNamed(dash, "val");
  if (!value) value = dash.append_attribute("val");
  value.set_value(std::string(DashName(line.dashStyle)).c_str());
}

}  // namespace tabulara::xlsx
