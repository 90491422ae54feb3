#include "xlsx/aspects.h"
#include "xlsx/structure/workbook_aspect_order.h"
#include "xlsx/structure/workbook_io.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

constexpr const char* kContentTypesXml =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" "
    "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
    "<Override PartName=\"/docProps/app.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
    "</Types>";

constexpr const char* kPackageRelationshipsXml =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" "
    "Target=\"docProps/core.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties\" "
    "Target=\"docProps/app.xml\"/>"
    "</Relationships>";

constexpr const char* kAppXml =
    "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
    "<Application>Tabulara</Application></Properties>";

constexpr const char* kCoreXml =
    "<cp:coreProperties "
    "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
    "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"/>";

constexpr const char* kWorkbookXml =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<bookViews><workbookView activeTab=\"0\"/></bookViews><sheets/></workbook>";

constexpr const char* kWorkbookRelationshipsXml =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
    "</Relationships>";

// One font, the two fills every workbook has, one border, the Normal style.
constexpr const char* kStylesXml =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "<dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";

}  // namespace

std::unique_ptr<WorkbookParts> NewWorkbookParts(std::shared_ptr<embedded::model::Workbook> workbook) {
  auto parts = std::make_unique<WorkbookParts>();
  Package& package = parts->package;
  package.Write("[Content_Types].xml", std::string(kDeclaration) + kContentTypesXml);
  package.Write("_rels/.rels", std::string(kDeclaration) + kPackageRelationshipsXml);
  package.Write("docProps/app.xml", std::string(kDeclaration) + kAppXml);
  package.Write("docProps/core.xml", std::string(kDeclaration) + kCoreXml);
  package.Write("xl/workbook.xml", std::string(kDeclaration) + kWorkbookXml);
  package.Write("xl/_rels/workbook.xml.rels", std::string(kDeclaration) + kWorkbookRelationshipsXml);
  package.Write("xl/styles.xml", std::string(kDeclaration) + kStylesXml);

  parts->contentTypes = ContentTypes(package.Read("[Content_Types].xml"));
  parts->workbookPart = "xl/workbook.xml";
  parts->workbookXml = ParseXmlPart(package.Read(parts->workbookPart), parts->workbookPart);
  parts->workbookXmlChanged = true;
  parts->workbook = std::move(workbook);
  parts->aspects.push_back(MakeWorkbookStructureAspect());
  parts->aspects.push_back(MakeStylesAspect());
  parts->aspects.push_back(MakeSharedStringsAspect());
  parts->aspects.push_back(MakeCalculationAspect());
  return parts;
}

}  // namespace tabulara::xlsx
