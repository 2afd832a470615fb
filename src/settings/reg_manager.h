#pragma once
// The settings store: a table of named items, each naming one key of one section of the INI file.
// Every use of a setting is a lookup by name, Filer(name), followed by one operation on the filer it
// returns. Each operation reads the file as it stands or replaces it (the file store serves its last
// reading again only while the file is unchanged; a ReadBatch lets the reads of one moment share one).
//
//     RM.Filer(items::RefreshTime).ReadInteger();
//     RM.Filer(items::WindowColor).WriteColor(0x00FF8000);
//
// The program names the main window's items through their typed definitions instead (setting_items.h).
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/file_store.h"
#include "base/ini_file.h"
#include "base/text_codec.h"
#include "settings/values.h"

namespace qv::settings {

struct TRegItem {
    std::wstring Name;  // looked up without regard to ASCII case
    std::wstring Section;
    std::wstring Ident;         // the key
    std::wstring DefaultValue;  // what a read gives when the key is absent
};

class TRegItems {
public:
    TRegItems() = default;
    explicit TRegItems(std::vector<TRegItem> items) : items_(std::move(items)) {}

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TRegItem& Items(int index) { return items_.at(static_cast<size_t>(index)); }
    const TRegItem& Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    TRegItem& Add(TRegItem item = {});
    // The first item in table order with this name, ignoring case; null when there is none.
    const TRegItem* FindItem(std::wstring_view name) const;
    int IndexOf(std::wstring_view name) const;  // -1 when there is none

private:
    std::vector<TRegItem> items_;
};

enum class TRegType { rtReg = 0, rtIni = 1 };

// The store's message boxes: caption "エラー", an error icon, one OK button.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void show_error(const std::wstring& text) = 0;
};

// What the store needs from the system; all three must outlive the store.
struct StoreServices {
    ini::FileStore* files = nullptr;
    const ini::TextCodec* ansi = nullptr;  // the system code page, for the file's bytes
    Notifier* notifier = nullptr;
};

class TRegManager;

// Positioned on one item by TRegManager::Filer. On no item (an unknown name) reads give the empty text,
// 0 or false and every write, font, list and stream operation does nothing.
class TRegFiler {
public:
    explicit TRegFiler(TRegManager& manager) : Manager_(&manager) {}
    TRegFiler(const TRegFiler&) = delete;
    TRegFiler& operator=(const TRegFiler&) = delete;
    virtual ~TRegFiler() = default;

    const TRegItem* Item() const;  // null when positioned on no item
    TRegManager& Manager() const noexcept { return *Manager_; }

    virtual std::wstring ReadString();
    virtual void WriteString(std::wstring_view text);
    virtual std::int32_t ReadInteger();
    virtual void WriteInteger(std::int32_t value);
    virtual bool ReadBool();
    virtual void WriteBool(bool value);
    virtual std::wstring ReadEntry(std::wstring_view section, std::wstring_view ident, std::wstring_view default_value);
    virtual void WriteEntry(std::wstring_view section, std::wstring_view ident, std::wstring_view text);
    // The font's current name, size and colour are the defaults; its style is not touched.
    virtual void ReadFont(FontSpec& font);
    virtual void WriteFont(const FontSpec& font);
    // Replaces the list's contents.
    virtual void ReadStrings(std::vector<std::wstring>& list);
    virtual void WriteStrings(std::span<const std::wstring> list);
    // Appends to the stream.
    virtual void ReadBinary(std::vector<std::uint8_t>& stream);
    virtual void WriteBinary(std::span<const std::uint8_t> stream);

    // Colour items: the text rules of values.h. An unknown colour text raises AppError.
    Color ReadColor();
    void WriteColor(Color color);

    // Most entries a list or stream read takes: a damaged count must not exhaust memory.
    static constexpr std::int32_t kMaxListEntries = 65536;

protected:
    // One access for several keys of one section: the entries as reads see them, and one replacement
    // of the file for several writes (all or none reach the disk).
    virtual std::vector<ini::IniEntry> ReadSectionEntries(std::wstring_view section);
    virtual void WriteEntries(std::wstring_view section, std::span<const ini::IniEntry> entries);

private:
    friend class TRegManager;
    // Shows the message for a store that has no file to work on; false then.
    bool can_access();
    ini::IniFile ini() const;

    TRegManager* Manager_;
    int item_ = -1;
};

class WriteBatch;
class ReadBatch;

class TRegManager {
public:
    explicit TRegManager(StoreServices services, TRegItems items = {}, TRegType type = TRegType::rtIni)
        : RegItems(std::move(items)), RegType(type), services_(services) {}
    TRegManager(const TRegManager&) = delete;
    TRegManager& operator=(const TRegManager&) = delete;
    virtual ~TRegManager() = default;

    // The filer, positioned on the item named `name`; an unknown name shows "[' name '] is invalid."
    // and positions it on no item.
    TRegFiler& Filer(std::wstring_view name);
    // The same for a typed item (settings/setting_items.h): a filer offering only its type's operations.
    template <class TypedItem>
    typename TypedItem::Filer Filer(const TypedItem& item) {
        return typename TypedItem::Filer(Filer(item.name()));
    }

    const StoreServices& Services() const noexcept { return services_; }
    void ShowError(const std::wstring& text) const;

private:
    // Declared first so that the item table goes before it.
    std::unique_ptr<TRegFiler> filer_;

public:
    std::wstring IniFileName;  // full path of the INI file
    std::wstring RegDir;       // registry key below HKEY_CURRENT_USER (the registry is not supported)
    TRegItems RegItems;
    TRegType RegType;

protected:
    // Makes the filer at the first lookup, so that a derived store can supply a derived filer.
    virtual std::unique_ptr<TRegFiler> CreateFiler() { return std::make_unique<TRegFiler>(*this); }

private:
    friend class TRegFiler;
    friend class WriteBatch;
    friend class ReadBatch;

    // The files as the filer and the batches see them: the system's, except that while a ReadBatch
    // is open one reading of a file serves every read of it, and any write drops that reading.
    class SharedReading : public ini::FileStore {
    public:
        explicit SharedReading(TRegManager& manager) : manager_(manager) {}
        ini::FileRead read(const std::wstring& path) override;
        void write(const std::wstring& path, std::string_view bytes) override;

        bool open = false;
        std::optional<std::pair<std::wstring, ini::FileRead>> held;

    private:
        TRegManager& manager_;
    };

    StoreServices services_;
    // The writes a WriteBatch holds back; none while no batch is open.
    std::optional<std::vector<ini::IniSectionEntries>> held_writes_;
    SharedReading files_{*this};
};

// Holds back the store's writes until Commit, which makes them all in one replacement of the file:
// every value reaches the disk, or none does, and a failure half-way cannot leave half a
// configuration. Reads meanwhile see the file as it is. Writes not committed are dropped.
//
//     WriteBatch batch(RM);
//     RM.Filer(items::CleanValue).WriteInteger(64);
//     RM.Filer(items::WindowColor).WriteColor(0x00FF8000);
//     batch.Commit();
class WriteBatch {
public:
    // A batch inside another adds its writes to the outer one, which makes them.
    explicit WriteBatch(TRegManager& RM);
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;
    ~WriteBatch();

    // Raises what a single write raises when the file cannot be written (the file is then as before).
    void Commit();

private:
    TRegManager& RM_;
    bool outermost_;
};

// Lets the reads made while it lives share one reading of the file: a handler that needs several
// settings at one moment (the display refresh, several times a second) reads the file once. Writes go
// to the file as ever, and the reads after them see them. Keep it to a stretch with no message loop
// in it: a change made to the file by hand meanwhile is seen only after the batch.
class ReadBatch {
public:
    // A batch inside another shares the outer one's reading.
    explicit ReadBatch(TRegManager& RM);
    ReadBatch(const ReadBatch&) = delete;
    ReadBatch& operator=(const ReadBatch&) = delete;
    ~ReadBatch();

private:
    TRegManager& RM_;
    bool outermost_;
};

} // namespace qv::settings
