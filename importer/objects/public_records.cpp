#include "importer/objects/object_stream.h"

namespace velmora::objects {

namespace {

GroupRecord readGroup(ObjectStream& in) {
    GroupRecord g;
    g.name = in.wideText();
    g.volume = in.f32();
    g.pan = in.f32();
    g.tune = in.f32();
    g.keyTracking = in.u8();
    g.reverse = in.u8();
    g.releaseTrigger = in.u8();
    g.releaseTriggerNoteMonophonic = in.u8();
    g.rlsTrigCounter = in.i32();
    g.midiChannel = in.i16();
    g.voiceGroupIdx = in.i32();
    g.fxIdxAmpSplitPoint = in.i32();
    g.muted = in.u8();
    g.soloed = in.u8();
    g.interpQuality = in.i32();
    return g;
}

ScriptRecord readScript(ObjectStream& in) {
    ScriptRecord s;
    s.sourceText = in.text();
    s.sourceEditorOpen = in.u8();
    s.touchedButNotApplied = in.u8();
    s.bypass = in.u8();
    s.unused = in.text();
    s.description = in.text();
    s.textFileName = in.text();
    // Each line takes at least its four length bytes, so the count cannot
    // outrun the data without the reads failing first.
    const std::uint32_t count = in.u32();
    for (std::uint32_t i = 0; i < count; ++i) {
        s.variableLines.push_back(in.text());
    }
    return s;
}

StartCriteriaRecord readStartCriteria(ObjectStream& in) {
    StartCriteriaRecord c;
    c.mode = in.i32();
    c.nextCriteria = in.i32();
    c.keyMin = in.i16();
    c.keyMax = in.i16();
    c.controller = in.i16();
    c.ccMin = in.i16();
    c.ccMax = in.i16();
    c.cycleClass = in.i32();
    c.sliceZoneIdx = in.i32();
    c.sliceZoneSliceIdx = in.i32();
    c.sequencerOnly = in.u8();
    return c;
}

}  // namespace

bool readsPublicClass(PublicClass cls) {
    return cls == PublicClass::Group || cls == PublicClass::Script || cls == PublicClass::StartCriteria;
}

std::unique_ptr<PublicRecord> readPublicRecord(PublicClass cls, ObjectStream& in) {
    switch (cls) {
        case PublicClass::Group: return std::make_unique<PublicRecord>(readGroup(in));
        case PublicClass::Script: return std::make_unique<PublicRecord>(readScript(in));
        case PublicClass::StartCriteria: return std::make_unique<PublicRecord>(readStartCriteria(in));
        default: return nullptr;
    }
}

}  // namespace velmora::objects
