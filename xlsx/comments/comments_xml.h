#pragma once

#include <pugixml.hpp>

#include <string>
#include <vector>

#include "embedded/model/cell_address.h"

namespace tabulara::xlsx {

// One <comment> of a comments part.
struct CommentEntry {
  embedded::model::CellAddress cell;
  std::string author;
  // The text of all its runs, as the host's Comment.Text gives it.
  std::string text;
  pugi::xml_node element;
};

std::vector<CommentEntry> ReadCommentEntries(const pugi::xml_node& comments);

// Replaces a comment's author and text (one plain run); the author joins
// the part's authors when new.
void SetCommentContent(pugi::xml_node comments, pugi::xml_node comment, const std::string& author,
                       const std::string& text);
// Appends a <comment> for the cell to the comment list.
pugi::xml_node AppendComment(pugi::xml_node comments, embedded::model::CellAddress cell, const std::string& author,
                             const std::string& text);
// A new comments part's document: no authors, an empty list.
void InitCommentsDocument(pugi::xml_document& document);

}  // namespace tabulara::xlsx
