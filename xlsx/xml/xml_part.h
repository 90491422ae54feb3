#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

#include "xlsx/package/package_error.h"

namespace tabulara::xlsx {

// How the parts are parsed: declarations kept, a lone blank text kept.
inline constexpr unsigned kXmlPartParseOptions =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_doctype | pugi::parse_ws_pcdata_single;

// True when the bytes are XML in UTF-8: no UTF-16 or UTF-32 byte order mark
// or zero bytes up front, and no other encoding declared.
bool IsUtf8Xml(std::string_view bytes);

// Parses an XML part of a package. A part that is not well-formed XML, or
// that carries a document type declaration (and with it, possibly, entity
// declarations), raises PackageError naming the part.
pugi::xml_document ParseXmlPart(std::string_view bytes, const std::string& partName);

// The error of a part that pugixml could not parse; `offset` is where the
// parsed text began in the part.
PackageError NotWellFormed(const std::string& partName, const pugi::xml_parse_result& result,
                           std::size_t offset = 0);

// The part's XML as bytes: the declaration as the host writes it, then the
// document without added white space.
std::string SerializeXmlPart(const pugi::xml_document& document);

// Appends a node as SerializeXmlPart writes it.
void AppendXml(const pugi::xml_node& node, std::string& bytes);

}  // namespace tabulara::xlsx
