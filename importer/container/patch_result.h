#pragma once
// The result codes of the patch operations.
namespace velmora::container {

enum class PatchResult : int {
    Ok = 0,
    UnknownHandle = 1,
    InvalidPatch = 2,   // wrong magic, zero size, checksum or size mismatch, empty trailer
    CannotOpen = 11,    // the file cannot be opened, or it needs a newer reader
    ReadFailure = 12,   // short read, no preset chunk
};

}  // namespace velmora::container
