#include "support/scripted_views.h"

#include <algorithm>
#include <stdexcept>

namespace tabulara::testing {

void ScriptedConfigView::UserClick(Control control) {
  checked[control] = !checked[control];
  events_->Click(control);
}

void ScriptedConfigView::UserChoose(Control list, const std::string& item) {
  const auto& entries = items.at(list);
  const auto found = std::find(entries.begin(), entries.end(), item);
  if (found == entries.end()) throw std::invalid_argument("no entry " + item);
  selected[list] = static_cast<int>(found - entries.begin());
  if (list == Control::cmbStyle || list == Control::cmbSize) texts[list] = item;
  events_->Click(list);
}

void ScriptedConfigView::UserTickItem(int item) {
  auto& checks = itemChecks.at(Control::lstVisiblity);
  checks.at(static_cast<std::size_t>(item)) = !checks[static_cast<std::size_t>(item)];
  events_->ItemCheck(Control::lstVisiblity, item);
}

void ScriptedConfigView::UserType(const std::string& keys) {
  for (const char key : keys) {
    if (!events_->KeyPress(Control::cmbSize, key)) continue;
    std::string& text = texts[Control::cmbSize];
    if (key != '\b') {
      text += key;
    } else if (!text.empty()) {
      text.pop_back();
    }
  }
}

void ScriptedConfigView::SetItems(Control list, const std::vector<std::string>& entries) {
  items[list] = entries;
  itemChecks[list].assign(entries.size(), false);
  selected[list].reset();
}

// Sizes from 1 to 2048 points, as a drawing area takes them.
void ScriptedConfigView::SetSampleFont(const platform::SampleFont& font) {
  if (font.size < 1 || font.size > 2048) throw std::invalid_argument("Invalid property value");
  sampleFont = font;
}

platform::Extent ScriptedConfigView::MeasureText(const std::string& text) {
  return {static_cast<double>(sampleFont.size) * static_cast<double>(text.size()), 2.0 * sampleFont.size};
}

void ScriptedConfigView::PrintText(double x, double y, const std::string& text) {
  sample.push_back(text + "@" + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
}

void ScriptedConfigView::ShowModal(platform::ConfigEvents& events) {
  events_ = &events;
  if (script) script(*this);
  events_ = nullptr;
}

void ScriptedAboutView::ShowModal(platform::AboutEvents& events) {
  events_ = &events;
  if (script) script(*this);
  events_ = nullptr;
}

}  // namespace tabulara::testing
