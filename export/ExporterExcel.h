#pragma once

#include <functional>

namespace ui {
class ListView;
}

namespace exports {

// Exports what the list shows (its columns but the last, which holds the key, and its rows in the
// order shown) into a new workbook and opens it. progress hears the share of rows written, in
// percent, as they are written.
void exporter_excel(const ui::ListView& list, const std::function<void(int)>& progress);

}  // namespace exports
