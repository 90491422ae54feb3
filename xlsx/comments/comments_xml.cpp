#include "xlsx/comments/comments_xml.h"

#include "embedded/rules/reference_text.h"
#include "xlsx/drawing/xml_lookup.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

inline constexpr const char* kNamespaceMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// The runs' texts; phonetic runs (rPh) are not part of the text.
void CollectText(const pugi::xml_node& node, std::string& text) {
  for (pugi::xml_node child : node.children()) {
    std::string_view name = LocalName(child);
    if (name == "rPh") continue;
    if (name == "t") {
      text += child.text().get();
    } else {
      CollectText(child, text);
    }
  }
}

std::string AuthorId(pugi::xml_node comments, const std::string& author) {
  pugi::xml_node authors = ChildNamed(comments, "authors");
  if (!authors) authors = comments.prepend_child(NameLike(comments, "authors").c_str());
  int index = 0;
  for (pugi::xml_node each : authors.children()) {
    if (LocalName(each) != "author") continue;
    if (author == each.text().get()) return std::to_string(index);
    ++index;
  }
  authors.append_child(NameLike(comments, "author").c_str()).text() = author.c_str();
  return std::to_string(index);
}

std::string CellRef(embedded::model::CellAddress cell) {
  return embedded::ColumnLetters(cell.column) + std::to_string(cell.row);
}

}  // namespace

std::vector<CommentEntry> ReadCommentEntries(const pugi::xml_node& comments) {
  std::vector<std::string> authors;
  for (pugi::xml_node author : ChildNamed(comments, "authors").children()) {
    if (LocalName(author) == "author") authors.push_back(author.text().get());
  }
  std::vector<CommentEntry> entries;
  for (pugi::xml_node comment : ChildNamed(comments, "commentList").children()) {
    if (LocalName(comment) != "comment") continue;
    auto ref = embedded::ParseReference(AttributeNamed(comment, "ref").value());
    if (!ref || ref->size() != 1) continue;
    CommentEntry entry;
    entry.cell = ref->front().TopLeft();
    std::size_t author = AttributeNamed(comment, "authorId").as_uint();
    if (author < authors.size()) entry.author = authors[author];
    CollectText(ChildNamed(comment, "text"), entry.text);
    entry.element = comment;
    entries.push_back(std::move(entry));
  }
  return entries;
}

void SetCommentContent(pugi::xml_node comments, pugi::xml_node comment, const std::string& author,
                       const std::string& text) {
  pugi::xml_attribute authorId = AttributeNamed(comment, "authorId");
  if (!authorId) authorId = comment.append_attribute("authorId");
  authorId.set_value(AuthorId(comments, author).c_str());
  pugi::xml_node body = ChildNamed(comment, "text");
  if (body) comment.remove_child(body);
  body = comment.prepend_child(NameLike(comment, "text").c_str());
  pugi::xml_node run = body.append_child(NameLike(comment, "r").c_str());
  pugi::xml_node runText = run.append_child(NameLike(comment, "t").c_str());
  runText.append_attribute("xml:space") = "preserve";
  runText.text() = text.c_str();
}

pugi::xml_node AppendComment(pugi::xml_node comments, embedded::model::CellAddress cell, const std::string& author,
                             const std::string& text) {
  pugi::xml_node list = ChildNamed(comments, "commentList");
  if (!list) list = comments.append_child(NameLike(comments, "commentList").c_str());
  pugi::xml_node comment = list.append_child(NameLike(comments, "comment").c_str());
  comment.append_attribute("ref") = CellRef(cell).c_str();
  SetCommentContent(comments, comment, author, text);
  return comment;
}

void InitCommentsDocument(pugi::xml_document& document) {
  document.reset();
  pugi::xml_node root = document.append_child("comments");
  root.append_attribute("xmlns") = kNamespaceMain;
  root.append_child("authors");
  root.append_child("commentList");
}

}  // namespace tabulara::xlsx
