// The head of a BLOB block: its meta information, read after the whole
// block has been checked against the data file.
#pragma once

#include "kartavo/framework/stream.h"
#include "kartavo/geodb/gdb_types.h"

namespace kartavo {

// False when the entry's offset or size is negative; raises EInOutError
// when the block reaches past the end of the data file.
bool ReadBlobHead(fw::TFileStream& Data, const TgdbData& Entry, TMetaInfo& MetaInfo);

// Bytes of an entry's data block: points · 8, meta information + content,
// or -1 when the entry has no block or its counts are negative.
int64_t BlockLength(const TgdbData& Entry);

} // namespace kartavo
