#pragma once
// Builds the preset stream of an instrument in memory: serialised patch
// objects, from single fields up to a whole program with its group list,
// groups, slot records and scripts. With the NKI writer it makes real
// instrument files in code. The writer keeps its own constants so that it
// does not share a reader's faults.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::patch_writer {

using Bytes = std::vector<std::uint8_t>;

// Fields in the stream's byte order.
class FieldWriter {
public:
    explicit FieldWriter(bool bigEndian = false) : big_(bigEndian) {}
    FieldWriter& u8(std::uint8_t v);
    FieldWriter& u16(std::uint16_t v);
    FieldWriter& i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
    FieldWriter& u32(std::uint32_t v);
    FieldWriter& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    FieldWriter& f32(float v);
    FieldWriter& raw(const Bytes& b);
    // int32 length and the bytes; an absent text is written with length -1.
    FieldWriter& text(const std::optional<std::string>& t);
    // uint32 count and UTF-16 code units.
    FieldWriter& wideText(const std::u16string& t);
    const Bytes& bytes() const { return out_; }
    bool bigEndian() const { return big_; }

private:
    bool big_;
    Bytes out_;
};

// ---- objects ---------------------------------------------------------------

// An object header (uint16 id, int32 body length) and the body.
Bytes fullObject(std::uint16_t id, const Bytes& body, bool big = false);

struct StructuredSpec {
    std::uint16_t version = 0;
    Bytes privateData;
    Bytes publicData;             // already encoded (a record, or any bytes)
    std::vector<Bytes> children;  // full objects
    Bytes childrenTail;           // extra bytes at the end of the children block
};
Bytes structuredBody(const StructuredSpec& instrument, bool big = false);
// A structured flag of 0: the rest of the body is private data.
Bytes unstructuredBody(const Bytes& privateData);
// The body of a public object: structured flag 1, version, the record.
Bytes publicBody(std::uint16_t version, const Bytes& record, bool big = false);

// A group's public record (its name and the fields after it).
Bytes groupRecord(const std::u16string& name, bool big = false);

struct ScriptSpec {
    std::optional<std::string> sourceText = std::string("on init\nend on");
    std::optional<std::string> description = std::string();
    std::optional<std::string> textFileName = std::string();
    std::vector<std::optional<std::string>> variableLines;
};
Bytes scriptRecord(const ScriptSpec& script, bool big = false);

// Bit i of the set is bit i % 8 of byte i / 8.
Bytes slotList(const std::array<std::uint8_t, 8>& bits, const std::vector<Bytes>& objects, bool big = false);
Bytes groupList(const std::vector<Bytes>& groupBodies, bool big = false);
Bytes fileNameList(std::uint16_t version, bool big = false);

// ---- private data (always little-endian) ----------------------------------

// The numbers of a slot record, in micro-units (stored as value / 1e6).
struct SlotValues {
    double range = 250000;
    double key = 60;
    double articulation = 0;
    double icon = 0;
    bool shiftedBlock = false;  // the 0x92 marker: value block at 54 instead of 50
    std::int32_t seven = 7;     // the two fixed fields the reader tests
    std::int32_t nineteen = 19;
};
// The float a value in micro-units is stored as.
float microFloat(double microUnits);

struct SlotRecordSpec {
    bool present = false;
    SlotValues values;
    std::optional<Bytes> body;  // replaces the body built from the values
};
Bytes slotRecordBody(const SlotValues& values);
Bytes slotRecord(const SlotRecordSpec& record);
// 1659 bytes of filler, then the eight records.
Bytes groupPrivateData(const std::array<SlotRecordSpec, 8>& records);
// 65 bytes of filler, then five inline script slots with these lines.
Bytes oldProgramPrivateData(const std::vector<std::vector<std::string>>& slots);

// ---- instruments -----------------------------------------------------------

struct GroupSpec {
    std::u16string name;
    std::uint16_t version = 0x93;  // 0x90..0x95 carry a group record
    std::array<SlotRecordSpec, 8> slots;
};
// A group whose slot record `slot` carries these numbers.
GroupSpec articulationGroup(const std::u16string& name, double key, double articulation, double icon, int slot = 7,
                            bool shiftedBlock = false);
Bytes groupBody(const GroupSpec& group, bool big = false);

struct InstrumentSpec {
    std::uint16_t programVersion = 0xA5;
    bool bigEndian = false;
    bool hasGroupList = true;
    std::vector<GroupSpec> groups;
    std::vector<ScriptSpec> scripts;  // newer programs: in a slot list below the program
    // Inline scripts in the old program layout; written whenever given, and
    // for every program of version 0x80 or lower.
    std::vector<std::vector<std::string>> oldLayoutScripts;
    std::uint16_t fileNameListId = 75;
    std::uint16_t fileNameListVersion = 2;
};
// The program, an unrelated object, then the file name list.
Bytes presetStream(const InstrumentSpec& instrument);

}  // namespace velmora::patch_writer
