// Patch-object writer for tests, fuzz seeds and the demo instrument.
#include "tests/support/patch_object_writer.h"

#include <bit>
#include <cstring>

namespace velmora::patch_writer {

namespace {

constexpr std::uint16_t kProgram = 40;
constexpr std::uint16_t kScript = 6;
constexpr std::uint16_t kGroupList = 51;
constexpr std::uint16_t kSlotList = 55;
constexpr std::uint16_t kRawObject = 53;
constexpr std::uint16_t kScriptVersion = 0x60;
constexpr std::size_t kGroupFiller = 1659;
constexpr std::size_t kOldProgramFiller = 65;
constexpr std::size_t kSlotBodySize = 110;

void append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

void putLe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

Bytes filler(std::size_t n, std::uint8_t seed) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) {
        b[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return b;
}

}  // namespace

FieldWriter& FieldWriter::u8(std::uint8_t v) {
    out_.push_back(v);
    return *this;
}
FieldWriter& FieldWriter::u16(std::uint16_t v) {
    const std::uint8_t lo = static_cast<std::uint8_t>(v);
    const std::uint8_t hi = static_cast<std::uint8_t>(v >> 8);
    out_.push_back(big_ ? hi : lo);
    out_.push_back(big_ ? lo : hi);
    return *this;
}
FieldWriter& FieldWriter::u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out_.push_back(static_cast<std::uint8_t>(v >> (8 * (big_ ? 3 - i : i))));
    }
    return *this;
}
FieldWriter& FieldWriter::f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }
FieldWriter& FieldWriter::raw(const Bytes& b) {
    append(out_, b);
    return *this;
}
FieldWriter& FieldWriter::text(const std::optional<std::string>& t) {
    if (!t) {
        return i32(-1);
    }
    i32(static_cast<std::int32_t>(t->size()));
    out_.insert(out_.end(), t->begin(), t->end());
    return *this;
}
FieldWriter& FieldWriter::wideText(const std::u16string& t) {
    u32(static_cast<std::uint32_t>(t.size()));
    for (char16_t c : t) {
        u16(c);
    }
    return *this;
}

Bytes fullObject(std::uint16_t id, const Bytes& body, bool big) {
    FieldWriter w(big);
    w.u16(id).i32(static_cast<std::int32_t>(body.size())).raw(body);
    return w.bytes();
}

Bytes structuredBody(const StructuredSpec& instrument, bool big) {
    FieldWriter w(big);
    w.u8(1).u16(instrument.version);
    w.i32(static_cast<std::int32_t>(instrument.privateData.size())).raw(instrument.privateData);
    w.i32(static_cast<std::int32_t>(instrument.publicData.size())).raw(instrument.publicData);
    Bytes children;
    for (const Bytes& c : instrument.children) {
        append(children, c);
    }
    append(children, instrument.childrenTail);
    w.i32(static_cast<std::int32_t>(children.size())).raw(children);
    return w.bytes();
}

Bytes unstructuredBody(const Bytes& privateData) {
    Bytes b{0};
    append(b, privateData);
    return b;
}

Bytes publicBody(std::uint16_t version, const Bytes& record, bool big) {
    FieldWriter w(big);
    w.u8(1).u16(version).raw(record);
    return w.bytes();
}

Bytes groupRecord(const std::u16string& name, bool big) {
    FieldWriter w(big);
    w.wideText(name).f32(1.0f).f32(0.0f).f32(0.0f);
    w.u8(1).u8(0).u8(0).u8(0).i32(0).i16(-1).i32(-1).i32(0).u8(0).u8(0).i32(2);
    return w.bytes();
}

Bytes scriptRecord(const ScriptSpec& script, bool big) {
    FieldWriter w(big);
    w.text(script.sourceText).u8(0).u8(0).u8(0).text(std::string()).text(script.description).text(script.textFileName);
    w.u32(static_cast<std::uint32_t>(script.variableLines.size()));
    for (const auto& line : script.variableLines) {
        w.text(line);
    }
    return w.bytes();
}

Bytes slotList(const std::array<std::uint8_t, 8>& bits, const std::vector<Bytes>& objects, bool big) {
    FieldWriter w(big);
    for (std::uint8_t b : bits) {
        w.u8(b);
    }
    for (const Bytes& o : objects) {
        w.raw(o);
    }
    return w.bytes();
}

Bytes groupList(const std::vector<Bytes>& groupBodies, bool big) {
    FieldWriter w(big);
    w.i32(static_cast<std::int32_t>(groupBodies.size()));
    for (const Bytes& g : groupBodies) {
        w.raw(g);
    }
    return w.bytes();
}

Bytes fileNameList(std::uint16_t version, bool big) {
    FieldWriter w(big);
    w.u16(version).u32(1).text(std::string("Samples/strings.ncw"));
    return w.bytes();
}

float microFloat(double microUnits) { return static_cast<float>(microUnits / 1000000.0); }

Bytes slotRecordBody(const SlotValues& values) {
    Bytes b = filler(kSlotBodySize, 0x11);
    putLe32(b, 7, static_cast<std::uint32_t>(values.seven));
    b[44] = values.shiftedBlock ? 0x92 : 0x00;
    putLe32(b, 46, static_cast<std::uint32_t>(values.nineteen));
    const std::size_t v = values.shiftedBlock ? 54 : 50;
    putLe32(b, v, std::bit_cast<std::uint32_t>(microFloat(values.range)));
    putLe32(b, v + 12, std::bit_cast<std::uint32_t>(microFloat(values.key)));
    putLe32(b, v + 44, std::bit_cast<std::uint32_t>(microFloat(values.articulation)));
    putLe32(b, v + 48, std::bit_cast<std::uint32_t>(microFloat(values.icon)));
    return b;
}

Bytes slotRecord(const SlotRecordSpec& record) {
    if (!record.present) {
        return Bytes{0};
    }
    const Bytes body = record.body ? *record.body : slotRecordBody(record.values);
    FieldWriter w;
    w.u8(1).u16(0x0101).u16(static_cast<std::uint16_t>(body.size())).u16(0).raw(body);
    return w.bytes();
}

Bytes groupPrivateData(const std::array<SlotRecordSpec, 8>& records) {
    Bytes b = filler(kGroupFiller, 0x40);
    for (const auto& r : records) {
        append(b, slotRecord(r));
    }
    return b;
}

Bytes oldProgramPrivateData(const std::vector<std::vector<std::string>>& slots) {
    FieldWriter w;
    w.raw(filler(kOldProgramFiller, 0x20));
    for (std::size_t s = 0; s < 5; ++s) {
        const std::vector<std::string> none;
        const auto& lines = s < slots.size() ? slots[s] : none;
        w.u8(0).u16(0).text(std::string("on init\nend on")).u8(0).u8(0).u8(0);
        w.text(std::string()).text(std::string("Script")).text(std::nullopt);
        w.u32(static_cast<std::uint32_t>(lines.size()));
        for (const auto& line : lines) {
            w.u32(static_cast<std::uint32_t>(line.size()));
            w.raw(Bytes(line.begin(), line.end()));
        }
    }
    return w.bytes();
}

GroupSpec articulationGroup(const std::u16string& name, double key, double articulation, double icon, int slot,
                            bool shiftedBlock) {
    GroupSpec g;
    g.name = name;
    auto& r = g.slots[static_cast<std::size_t>(slot)];
    r.present = true;
    r.values.key = key;
    r.values.articulation = articulation;
    r.values.icon = icon;
    r.values.shiftedBlock = shiftedBlock;
    return g;
}

Bytes groupBody(const GroupSpec& group, bool big) {
    StructuredSpec s;
    s.version = group.version;
    s.privateData = groupPrivateData(group.slots);
    s.publicData = groupRecord(group.name, big);
    return structuredBody(s, big);
}

Bytes presetStream(const InstrumentSpec& instrument) {
    const bool big = instrument.bigEndian;
    StructuredSpec program;
    program.version = instrument.programVersion;
    const bool oldLayout = instrument.programVersion <= 0x80 || !instrument.oldLayoutScripts.empty();
    program.privateData = oldLayout ? oldProgramPrivateData(instrument.oldLayoutScripts) : filler(96, 0x33);
    program.publicData = filler(40, 0x55);
    if (!instrument.scripts.empty()) {
        std::array<std::uint8_t, 8> bits{};
        std::vector<Bytes> scripts;
        for (std::size_t i = 0; i < instrument.scripts.size(); ++i) {
            bits[i / 8] = static_cast<std::uint8_t>(bits[i / 8] | (1u << (i % 8)));
            scripts.push_back(
                fullObject(kScript, publicBody(kScriptVersion, scriptRecord(instrument.scripts[i], big), big), big));
        }
        program.children.push_back(fullObject(kSlotList, slotList(bits, scripts, big), big));
    }
    if (instrument.hasGroupList) {
        std::vector<Bytes> groups;
        for (const auto& g : instrument.groups) {
            groups.push_back(groupBody(g, big));
        }
        program.children.push_back(fullObject(kGroupList, groupList(groups, big), big));
    }
    Bytes stream = fullObject(kProgram, structuredBody(program, big), big);
    append(stream, fullObject(kRawObject, filler(24, 0x77), big));
    append(stream, fullObject(instrument.fileNameListId, fileNameList(instrument.fileNameListVersion, big), big));
    return stream;
}

}  // namespace velmora::patch_writer
