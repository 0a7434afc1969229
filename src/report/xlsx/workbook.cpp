#include "report/xlsx/workbook.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

#include "core/text/number_text.h"
#include "report/pdf_export.h"
#include "report/xlsx/relationships.h"
#include "report/xlsx/worksheet.h"
#include "report/xlsx/xml_text.h"

namespace pelvane::report {
namespace {

struct SheetEntry {
    std::string name;
    std::string part;
};

// The relationship id of a <sheet>: the attribute "r:id", whatever prefix the
// writer chose for the relationships namespace.
std::string sheet_relationship_id(pugi::xml_node sheet) {
    for (const pugi::xml_attribute attribute : sheet.attributes()) {
        const std::string_view name = attribute.name();
        if (name.size() > 3 && name.substr(name.size() - 3) == ":id") return attribute.value();
    }
    return {};
}

// Children of <workbook> that must come after <calcPr>.
bool follows_calculation_settings(pugi::xml_node node) {
    for (const char* name :
         {"oleSize", "customWorkbookViews", "pivotCaches", "smartTagPr", "smartTagTypes",
          "webPublishing", "fileRecoveryPr", "webPublishObjects", "extLst"}) {
        if (std::strcmp(node.name(), name) == 0) return true;
    }
    return false;
}

void ask_for_recalculation(pugi::xml_node workbook) {
    pugi::xml_node settings = workbook.child("calcPr");
    if (!settings) {
        pugi::xml_node before;
        for (const pugi::xml_node child : workbook.children()) {
            if (follows_calculation_settings(child)) {
                before = child;
                break;
            }
        }
        settings = before ? workbook.insert_child_before("calcPr", before)
                          : workbook.append_child("calcPr");
    }
    settings.remove_attribute("fullCalcOnLoad");
    settings.append_attribute("fullCalcOnLoad") = "1";
}

void activate_first_tab(pugi::xml_node workbook) {
    for (pugi::xml_node view : workbook.child("bookViews").children("workbookView")) {
        view.remove_attribute("activeTab");
        view.append_attribute("activeTab") = "0";
    }
}

}  // namespace

struct Workbook::Impl {
    ZipPackage package;
    std::string workbook_part;
    std::vector<SheetEntry> sheets;  // in the workbook's order; the first is filled
    std::string shared_strings_part;
    std::optional<Worksheet> sheet;
    mutable std::optional<std::vector<std::string>> shared_strings;
    int failed_writes = 0;
    RowStream rows;

    const std::string& shared_string(std::size_t index) const;
    bool count(bool written) {
        if (!written) ++failed_writes;
        return written;
    }
};

const std::string& Workbook::Impl::shared_string(std::size_t index) const {
    if (!shared_strings) {
        shared_strings.emplace();
        if (!shared_strings_part.empty() && package.contains(shared_strings_part)) {
            pugi::xml_document document;
            parse_xml(document, package.data(shared_strings_part), shared_strings_part);
            for (const pugi::xml_node item : document.document_element().children("si")) {
                shared_strings->push_back(string_item_text(item));
            }
        }
    }
    static const std::string missing;
    return index < shared_strings->size() ? (*shared_strings)[index] : missing;
}

Workbook::Workbook(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Workbook Workbook::open(const std::filesystem::path& file) {
    auto impl = std::make_unique<Impl>();
    impl->package = ZipPackage::read(file);
    for (const Relationship& relationship : read_relationships(impl->package, "")) {
        if (relationship.kind() == "officeDocument") impl->workbook_part = relationship.target;
    }
    if (impl->workbook_part.empty() || !impl->package.contains(impl->workbook_part)) {
        throw WorkbookError(file.string() + " is not a spreadsheet workbook");
    }
    const auto relationships = read_relationships(impl->package, impl->workbook_part);
    for (const Relationship& relationship : relationships) {
        if (relationship.kind() == "sharedStrings") impl->shared_strings_part = relationship.target;
    }
    pugi::xml_document workbook;
    parse_xml(workbook, impl->package.data(impl->workbook_part), impl->workbook_part);
    for (const pugi::xml_node sheet :
         workbook.document_element().child("sheets").children("sheet")) {
        const std::string id = sheet_relationship_id(sheet);
        for (const Relationship& relationship : relationships) {
            if (relationship.id == id) {
                impl->sheets.push_back({sheet.attribute("name").value(), relationship.target});
            }
        }
    }
    if (impl->sheets.empty() || !impl->package.contains(impl->sheets.front().part)) {
        throw WorkbookError(file.string() + " has no worksheet");
    }
    impl->sheet.emplace(impl->package.data(impl->sheets.front().part));
    return Workbook(std::move(impl));
}

const std::string& Workbook::sheet_name() const {
    return impl_->sheets.front().name;
}

bool Workbook::set_text(int row, int column, std::string_view text) {
    return impl_->count(impl_->sheet->set_text({row, column}, text));
}

bool Workbook::set_number(int row, int column, double value) {
    return impl_->count(impl_->sheet->set_number({row, column}, value));
}

bool Workbook::set_entry(int row, int column, std::string_view text) {
    const text::ParsedNumber number = text::parse_number(text);
    return number.ok() ? set_number(row, column, number.value) : set_text(row, column, text);
}

int Workbook::failed_writes() const {
    return impl_->failed_writes;
}

CellValue Workbook::cell(int row, int column) const {
    return impl_->sheet->value({row, column},
                               [this](std::size_t index) { return impl_->shared_string(index); });
}

void Workbook::stream_rows(RowStream rows) {
    impl_->rows = std::move(rows);
}

void Workbook::save(const std::filesystem::path& file) {
    ZipPackage& package = impl_->package;
    pugi::xml_document workbook;
    parse_xml(workbook, package.data(impl_->workbook_part), impl_->workbook_part);
    ask_for_recalculation(workbook.document_element());
    activate_first_tab(workbook.document_element());
    package.put(impl_->workbook_part, write_xml(workbook));

    // The calculation chain lists formula cells as they were; a stale chain makes
    // spreadsheet programs repair the file, and they rebuild it anyway.
    for (const Relationship& relationship : read_relationships(package, impl_->workbook_part)) {
        if (relationship.kind() == "calcChain") {
            remove_related_part(package, impl_->workbook_part, relationship);
        }
    }

    // Only the first sheet may be selected, or the sheets would open grouped.
    for (std::size_t i = 1; i < impl_->sheets.size(); ++i) {
        const std::string& part = impl_->sheets[i].part;
        if (!package.contains(part) ||
            package.data(part).find("tabSelected") == std::string::npos) {
            continue;
        }
        pugi::xml_document other;
        parse_xml(other, package.data(part), part);
        set_tab_selected(other.document_element(), false);
        package.put(part, write_xml(other));
    }
    impl_->sheet->set_tab_selected(true);
    if (!impl_->rows) {
        package.put(impl_->sheets.front().part, impl_->sheet->xml());
        package.write(file);
        return;
    }
    std::optional<TemporaryFolder> scratch;
    try {
        scratch.emplace("the report's sheet");
    } catch (const ConversionError& e) {
        throw WorkbookError(e.what());
    }
    const std::filesystem::path sheet_file = scratch->path() / "sheet.xml";
    {
        std::ofstream out(sheet_file, std::ios::binary);
        Worksheet& sheet = *impl_->sheet;
        sheet.begin_stream(out);
        impl_->rows([this, &sheet](const CellLayout& row) {
            if (row.empty()) return;
            write_cells(*this, row);
            sheet.end_row(
                std::max_element(row.begin(), row.end(), [](const auto& a, const auto& b) {
                    return a.row < b.row;
                })->row);
        });
        sheet.end_stream();
        out.close();
        if (!out) throw WorkbookError("cannot write " + file.string() + ": the disk may be full");
    }
    impl_->rows = nullptr;
    package.put_file(impl_->sheets.front().part, sheet_file);
    package.write(file);
}

}  // namespace pelvane::report
