#include "report/xlsx/zip_package.h"

#include <zip.h>

#include <algorithm>
#include <memory>

#include "store/file_replace.h"

namespace pelvane::report {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

std::string describe(zip_error_t* error) {
    std::string text = zip_error_strerror(error);
    zip_error_fini(error);
    return text;
}

std::string archive_error(zip_t* archive) {
    return zip_error_strerror(zip_get_error(archive));
}

}  // namespace

ZipPackage ZipPackage::read(const std::filesystem::path& file) {
    int code = 0;
    Archive archive(zip_open(file.c_str(), ZIP_RDONLY, &code));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        throw WorkbookError("cannot open " + file.string() + ": " + describe(&error));
    }
    ZipPackage package;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
            throw WorkbookError("cannot read " + file.string() + ": " +
                                archive_error(archive.get()));
        }
        std::string name = stat.name;
        if (!name.empty() && name.back() == '/') continue;  // folder entry
        std::string data(static_cast<std::size_t>(stat.size), '\0');
        zip_file_t* entry = zip_fopen_index(archive.get(), i, 0);
        if (entry == nullptr) {
            throw WorkbookError("cannot read " + name + " in " + file.string() + ": " +
                                archive_error(archive.get()));
        }
        const zip_int64_t got = data.empty() ? 0 : zip_fread(entry, data.data(), data.size());
        zip_fclose(entry);
        if (got != static_cast<zip_int64_t>(data.size())) {
            throw WorkbookError("cannot read " + name + " in " + file.string());
        }
        package.parts_.push_back({std::move(name), std::move(data), {}});
    }
    return package;
}

const ZipPackage::Part* ZipPackage::find(std::string_view name) const {
    const auto it = std::find_if(parts_.begin(), parts_.end(),
                                 [&](const Part& part) { return part.name == name; });
    return it == parts_.end() ? nullptr : &*it;
}

const std::string& ZipPackage::data(std::string_view name) const {
    const Part* part = find(name);
    if (part == nullptr) throw WorkbookError("the workbook has no part " + std::string(name));
    return part->data;
}

void ZipPackage::put(std::string_view name, std::string data) {
    if (const Part* part = find(name)) {
        auto* changed = const_cast<Part*>(part);
        changed->data = std::move(data);
        changed->file.clear();
        return;
    }
    parts_.push_back({std::string(name), std::move(data), {}});
}

void ZipPackage::put_file(std::string_view name, std::filesystem::path file) {
    if (const Part* part = find(name)) {
        auto* changed = const_cast<Part*>(part);
        changed->data.clear();
        changed->file = std::move(file);
        return;
    }
    parts_.push_back({std::string(name), {}, std::move(file)});
}

void ZipPackage::remove(std::string_view name) {
    std::erase_if(parts_, [&](const Part& part) { return part.name == name; });
}

void ZipPackage::write(const std::filesystem::path& file, std::optional<std::time_t> stamp) const {
    try {
        store::replace_file(
            file, [&](const std::filesystem::path& partial) { write_parts(partial, file, stamp); });
    } catch (const store::FileWriteError& e) {
        throw WorkbookError(e.what());
    }
}

void ZipPackage::write_parts(const std::filesystem::path& partial,
                             const std::filesystem::path& file,
                             std::optional<std::time_t> stamp) const {
    int code = 0;
    Archive archive(zip_open(partial.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        throw WorkbookError("cannot write " + file.string() + ": " + describe(&error));
    }
    const auto fail = [&](const std::string& what) {
        const std::string text =
            "cannot write " + file.string() + " (" + what + "): " + archive_error(archive.get());
        throw WorkbookError(text);
    };
    for (const Part& part : parts_) {
        // The buffers stay alive until zip_close, which is when libzip reads them.
        zip_source_t* source =
            part.file.empty()
                ? zip_source_buffer(archive.get(), part.data.data(), part.data.size(), 0)
                : zip_source_file(archive.get(), part.file.c_str(), 0, -1);
        if (source == nullptr) fail(part.name);
        const zip_int64_t index = zip_file_add(archive.get(), part.name.c_str(), source,
                                               ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            fail(part.name);
        }
        // Level 1 deflates the repetitive sheet XML almost as well as the default
        // level in a fraction of the time.
        zip_set_file_compression(archive.get(), index, ZIP_CM_DEFLATE, 1);
        if (stamp) zip_file_set_mtime(archive.get(), index, *stamp, 0);
    }
    if (zip_close(archive.get()) != 0) fail("closing");
    static_cast<void>(archive.release());  // zip_close freed it
}

}  // namespace pelvane::report
