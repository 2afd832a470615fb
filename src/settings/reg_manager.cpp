#include "settings/reg_manager.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "base/ascii.h"

namespace qv::settings {
namespace {

// The entries of a section by key, the first of duplicates winning, as single reads would find them.
class EntryIndex {
public:
    explicit EntryIndex(const std::vector<ini::IniEntry>& entries) {
        for (const auto& entry : entries) {
            by_key_.emplace(ascii_uppercase(entry.key), &entry.value);
        }
    }
    std::wstring get(std::wstring_view key, std::wstring_view fallback) const {
        // Trimmed as a single read trims the key it looks for.
        while (!key.empty() && (key.front() == L' ' || key.front() == L'\t'))
            key.remove_prefix(1);
        while (!key.empty() && (key.back() == L' ' || key.back() == L'\t'))
            key.remove_suffix(1);
        auto found = by_key_.find(ascii_uppercase(key));
        return found != by_key_.end() ? *found->second : std::wstring(fallback);
    }

private:
    std::unordered_map<std::wstring, const std::wstring*> by_key_;
};

std::int32_t clamped_count(std::wstring_view text) {
    return std::clamp(integer_or_zero(text), std::int32_t{0}, TRegFiler::kMaxListEntries);
}

} // namespace

TRegItem& TRegItems::Add(TRegItem item) {
    items_.push_back(std::move(item));
    return items_.back();
}

const TRegItem* TRegItems::FindItem(std::wstring_view name) const {
    const int index = IndexOf(name);
    return index < 0 ? nullptr : &items_[static_cast<size_t>(index)];
}

int TRegItems::IndexOf(std::wstring_view name) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (equals_ignore_case(items_[i].Name, name)) return static_cast<int>(i);
    }
    return -1;
}

TRegFiler& TRegManager::Filer(std::wstring_view name) {
    if (!filer_) filer_ = CreateFiler();
    filer_->item_ = RegItems.IndexOf(name);
    if (filer_->item_ < 0) ShowError(L"[' " + std::wstring(name) + L" '] is invalid.");
    return *filer_;
}

void TRegManager::ShowError(const std::wstring& text) const {
    if (services_.notifier) services_.notifier->show_error(text);
}

const TRegItem* TRegFiler::Item() const {
    const TRegItems& items = Manager_->RegItems;
    return item_ >= 0 && item_ < items.Count() ? &items.Items(item_) : nullptr;
}

bool TRegFiler::can_access() {
    // The registry back end is not provided: such a store behaves as one whose registry object could
    // not be made.
    if (Manager_->RegType == TRegType::rtReg) {
        Manager_->ShowError(L"can not create Registry object.");
        return false;
    }
    if (Manager_->IniFileName.empty()) {
        Manager_->ShowError(L"can not create Inifile object.");
        return false;
    }
    return true;
}

ini::IniFile TRegFiler::ini() const {
    return ini::IniFile(Manager_->files_, *Manager_->Services().ansi, Manager_->IniFileName);
}

std::wstring TRegFiler::ReadEntry(std::wstring_view section, std::wstring_view ident, std::wstring_view default_value) {
    if (section.empty() || ident.empty() || !can_access()) return std::wstring(default_value);
    return ini().read(section, ident, default_value);
}

void TRegFiler::WriteEntry(std::wstring_view section, std::wstring_view ident, std::wstring_view text) {
    if (ident.empty()) return;
    const ini::IniEntry entry{std::wstring(ident), std::wstring(text)};
    WriteEntries(section, std::span<const ini::IniEntry>(&entry, 1));
}

std::vector<ini::IniEntry> TRegFiler::ReadSectionEntries(std::wstring_view section) {
    if (section.empty() || !can_access()) return {};
    return ini().read_section(section);
}

void TRegFiler::WriteEntries(std::wstring_view section, std::span<const ini::IniEntry> entries) {
    if (section.empty() || entries.empty() || !can_access()) return;
    if (auto& held = Manager_->held_writes_) {
        held->push_back({std::wstring(section), std::vector<ini::IniEntry>(entries.begin(), entries.end())});
        return;
    }
    ini().write(section, entries);
}

std::wstring TRegFiler::ReadString() {
    const TRegItem* item = Item();
    return item ? ReadEntry(item->Section, item->Ident, item->DefaultValue) : std::wstring();
}

void TRegFiler::WriteString(std::wstring_view text) {
    if (const TRegItem* item = Item()) WriteEntry(item->Section, item->Ident, text);
}

std::int32_t TRegFiler::ReadInteger() {
    return Item() ? integer_or_zero(ReadString()) : 0;
}

void TRegFiler::WriteInteger(std::int32_t value) {
    WriteString(std::to_wstring(value));
}

bool TRegFiler::ReadBool() {
    const TRegItem* item = Item();
    if (!item) return false;
    return text_to_bool(ReadEntry(item->Section, item->Ident, bool_default_text(item->DefaultValue)));
}

void TRegFiler::WriteBool(bool value) {
    WriteString(value ? L"1" : L"0");
}

Color TRegFiler::ReadColor() {
    return Item() ? text_to_color(ReadString()) : 0;
}

void TRegFiler::WriteColor(Color color) {
    WriteString(color_to_text(color));
}

void TRegFiler::ReadFont(FontSpec& font) {
    const TRegItem* item = Item();
    if (!item) return;
    // Copies: a message box shown during a read lets other code reposition the filer.
    const std::wstring section = item->Section;
    const std::wstring ident = item->Ident;
    font.name = ReadEntry(section, ident + L"_FontName", font.name);
    font.size = parse_integer(ReadEntry(section, ident + L"_FontSize", std::to_wstring(font.size))).value_or(font.size);
    font.color = text_to_color(ReadEntry(section, ident + L"_FontColor", color_to_text(font.color)));
}

void TRegFiler::WriteFont(const FontSpec& font) {
    const TRegItem* item = Item();
    if (!item) return;
    const ini::IniEntry entries[] = {
        {item->Ident + L"_FontName", font.name},
        {item->Ident + L"_FontSize", std::to_wstring(font.size)},
        {item->Ident + L"_FontColor", color_to_text(font.color)},
    };
    WriteEntries(item->Section, entries);
}

void TRegFiler::ReadStrings(std::vector<std::wstring>& list) {
    const TRegItem* item = Item();
    if (!item) return;
    const std::wstring ident = item->Ident;
    const auto entries = ReadSectionEntries(item->Section);
    const EntryIndex index(entries);
    const std::int32_t count = clamped_count(index.get(ident + L"_ItemCount", L"0"));
    list.clear();
    list.reserve(static_cast<size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        list.push_back(index.get(ident + L"_Item" + std::to_wstring(i), L""));
    }
}

void TRegFiler::WriteStrings(std::span<const std::wstring> list) {
    const TRegItem* item = Item();
    if (!item) return;
    std::vector<ini::IniEntry> entries;
    entries.push_back({item->Ident + L"_ItemCount", std::to_wstring(list.size())});
    for (size_t i = 0; i < list.size(); ++i) {
        entries.push_back({item->Ident + L"_Item" + std::to_wstring(i), list[i]});
    }
    WriteEntries(item->Section, entries);
}

void TRegFiler::ReadBinary(std::vector<std::uint8_t>& stream) {
    const TRegItem* item = Item();
    if (!item) return;
    const std::wstring ident = item->Ident;
    const auto entries = ReadSectionEntries(item->Section);
    const EntryIndex index(entries);
    const std::int32_t count = clamped_count(index.get(ident + L"_c", L"0"));
    for (std::int32_t i = 0; i < count; ++i) {
        append_hex_line(index.get(ident + L"_d" + std::to_wstring(i), L""), stream);
    }
}

void TRegFiler::WriteBinary(std::span<const std::uint8_t> stream) {
    const TRegItem* item = Item();
    if (!item) return;
    const auto lines = bytes_to_hex_lines(stream);
    if (lines.empty()) return;
    std::vector<ini::IniEntry> entries;
    entries.push_back({item->Ident + L"_c", std::to_wstring(lines.size())});
    for (size_t i = 0; i < lines.size(); ++i) {
        entries.push_back({item->Ident + L"_d" + std::to_wstring(i), lines[i]});
    }
    WriteEntries(item->Section, entries);
}

WriteBatch::WriteBatch(TRegManager& RM) : RM_(RM), outermost_(!RM.held_writes_) {
    if (outermost_) RM_.held_writes_.emplace();
}

WriteBatch::~WriteBatch() {
    if (outermost_) RM_.held_writes_.reset();
}

void WriteBatch::Commit() {
    if (!outermost_ || !RM_.held_writes_) return;
    const std::vector<ini::IniSectionEntries> writes = std::move(*RM_.held_writes_);
    RM_.held_writes_.reset();
    if (writes.empty()) return;
    ini::IniFile(RM_.files_, *RM_.Services().ansi, RM_.IniFileName).write(writes);
}

ini::FileRead TRegManager::SharedReading::read(const std::wstring& path) {
    if (held && held->first == path) return held->second;
    ini::FileRead result = manager_.services_.files->read(path);
    if (open) held.emplace(path, result);
    return result;
}

void TRegManager::SharedReading::write(const std::wstring& path, std::string_view bytes) {
    held.reset();
    manager_.services_.files->write(path, bytes);
}

ReadBatch::ReadBatch(TRegManager& RM) : RM_(RM), outermost_(!RM.files_.open) { RM_.files_.open = true; }

ReadBatch::~ReadBatch() {
    if (!outermost_) return;
    RM_.files_.open = false;
    RM_.files_.held.reset();
}

} // namespace qv::settings
