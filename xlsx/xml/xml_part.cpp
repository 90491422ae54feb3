#include "xlsx/xml/xml_part.h"

#include "xlsx/package/package_error.h"

namespace tabulara::xlsx {
namespace {

class StringWriter : public pugi::xml_writer {
 public:
  explicit StringWriter(std::string& out) : out_(out) {}
  void write(const void* data, size_t size) override { out_.append(static_cast<const char*>(data), size); }

 private:
  std::string& out_;
};

bool IsUtf16Or32(std::string_view bytes) {
  if (bytes.size() < 2) return false;
  const auto byte = [&](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0xffU; };
  return (byte(0) == 0xfe && byte(1) == 0xff) || (byte(0) == 0xff && byte(1) == 0xfe) || byte(0) == 0 ||
         byte(1) == 0;
}

// The encoding named by the XML declaration, lower case; empty when none is.
std::string DeclaredEncoding(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  if (!bytes.starts_with("<?xml")) return "";
  const std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  const std::size_t key = declaration.find("encoding");
  if (key == std::string_view::npos) return "";
  const std::size_t open = declaration.find_first_of("\"'", key);
  if (open == std::string_view::npos) return "";
  const std::size_t close = declaration.find(declaration[open], open + 1);
  if (close == std::string_view::npos) return "";
  std::string name(declaration.substr(open + 1, close - open - 1));
  for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  return name;
}

}  // namespace

bool IsUtf8Xml(std::string_view bytes) {
  if (IsUtf16Or32(bytes)) return false;
  const std::string encoding = DeclaredEncoding(bytes);
  return encoding.empty() || encoding == "utf-8" || encoding == "utf8";
}

PackageError NotWellFormed(const std::string& partName, const pugi::xml_parse_result& result,
                           std::size_t offset) {
  return PackageError("the part " + partName + " is not well-formed XML (" + result.description() + " at byte " +
                      std::to_string(offset + static_cast<std::size_t>(result.offset)) + ")");
}

pugi::xml_document ParseXmlPart(std::string_view bytes, const std::string& partName) {
  pugi::xml_document document;
  const pugi::xml_parse_result result =
      document.load_buffer(bytes.data(), bytes.size(), kXmlPartParseOptions, pugi::encoding_auto);
  if (!result) throw NotWellFormed(partName, result);
  for (const pugi::xml_node node : document.children()) {
    if (node.type() == pugi::node_doctype) {
      throw PackageError("the part " + partName + " declares a document type; workbook parts never do");
    }
  }
  return document;
}

std::string SerializeXmlPart(const pugi::xml_document& document) {
  std::string bytes;
  StringWriter writer(bytes);
  bool declared = false;
  for (const pugi::xml_node node : document.children()) {
    if (node.type() == pugi::node_declaration) {
      node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
      bytes += "\r\n";
      declared = true;
    }
  }
  if (!declared) bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
  for (const pugi::xml_node node : document.children()) {
    if (node.type() != pugi::node_declaration) node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
  }
  return bytes;
}

void AppendXml(const pugi::xml_node& node, std::string& bytes) {
  StringWriter writer(bytes);
  node.print(writer, "", pugi::format_raw, pugi::encoding_utf8);
}

}  // namespace tabulara::xlsx
