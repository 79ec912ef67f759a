// TGeoDB: a file-based geographic database of named vector features and
// binary large objects. The whole summary file and the five indexes live in
// memory; lookups are binary searches; every change appends its data block
// to the data file, rewrites one summary record and keeps the index files
// in step, immediately or, with LazyWrite, deferred.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"
#include "kartavo/framework/stream.h"
#include "kartavo/geodb/gdb_types.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kartavo {

class TGdbAppender;
class TGdbBoxTable;
class TGdbJournal;
class TGdbWriteBehind;
struct TDataBlock;
struct TJournalChange;

class KARTAVO_API TGeoDB : public fw::TComponent {
public:
  explicit TGeoDB(fw::TComponent* AOwner);
  ~TGeoDB() override;

  // --- properties ---
  // The base name (path without extension) of the open database, empty when closed.
  std::string DBName() const;
  // Opens or creates the database of that name; the empty text closes it.
  void SetDBName(const std::string& Value);
  bool LazyWrite() const { return FLazyWrite; }
  void SetLazyWrite(bool Value);
  // Read-only databases are opened without creating, mending or changing
  // any file (a missing database is an error), and every change is refused.
  // Changing it while a database is open opens that database again.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // True when opening found the files damaged beyond what it mends by
  // itself: entries lost from the summary file, blocks lost from the data
  // file, identifiers used twice. The entries that could be read are
  // there, but every change is refused.
  bool Damaged() const { return !FDamage.empty(); }
  // What is damaged, one finding a line; empty for a sound database.
  const std::vector<std::string>& Damage() const { return FDamage; }
  int NumEntries() const { return FNumSumItems; }
  bool OnPercDoneEnabled() const { return FOnPercDoneEnabled; }
  void SetOnPercDoneEnabled(bool Value) { FOnPercDoneEnabled = Value; }
  std::string Description() const { return FSystemData.Description.ToString(); }
  void SetDescription(const std::string& Value);
  int Revision() const { return FSystemData.Revision; }
  void SetRevision(int Value);
  int DBVersion() const { return FSystemData.DBVersion; }
  // The database header as held in memory (HighestID included).
  const TgdbSystemData& SystemData() const { return FSystemData; }
  // Entry header by entry number (clamped to 1 .. NumEntries).
  TgdbData Data(int ix) const { return GetSumdata(ix); }
  // Index records by index position (clamped); index holds the entry number.
  TIxItemIDRec IxItemID(int ix) { return GetIxItemID(ix); }
  TIxLLRec IxLatLow(int ix) { return GetIxLatLow(ix); }
  TIxLLRec IxLatHigh(int ix) { return GetIxLatHigh(ix); }
  TIxLLRec IxLongLow(int ix) { return GetIxLongLow(ix); }
  TIxLLRec IxLongHigh(int ix) { return GetIxLongHigh(ix); }

  quillon::TOnPercentDoneEvent OnPercentDone;

  TgdbData GetSumdata(int ix) const;
  TIxItemIDRec GetIxItemID(int ix);
  TIxLLRec GetIxLatLow(int ix);
  TIxLLRec GetIxLatHigh(int ix);
  TIxLLRec GetIxLongLow(int ix);
  TIxLLRec GetIxLongHigh(int ix);

  // --- lookup ---
  // Positions in an index, 1 .. count + 1 (1 for an empty index).
  int GetClosestLatLowIx(double Latit);
  int GetClosestLatHighIx(double Latit);
  int GetClosestLongLowIx(double Longit);
  int GetClosestLongHighIx(double Longit);
  int GetClosestItemIDIx(int ItemID);
  // Entry number of the entry with that identifier, 0 when there is none.
  int SearchForItemID(int ItemID);
  // The first entry from StartSearchAt on with that name (case-insensitive,
  // trailing blanks ignored), of that kind (gitUndefined: any) and class
  // (0: any); 0 when none.
  int SearchData(const TgdbName& Name, TgdbItem ItemType, int StartSearchAt,
                 uint8_t ClassNumber) const;
  int SearchData(const TgdbName& Name) const;

  // The largest latitude and longitude extent (high − low) of any entry's
  // box, 0 for an empty database: a box query needs to look no further
  // below its south and west edges than this.
  void GetBoxExtents(double& MaxLatExtent, double& MaxLongExtent);
  // The boxes of all entries, ready for box queries (see gdb_box_query.h).
  const TGdbBoxTable& BoxTable();

  // --- maintenance ---
  // The meta information of a BLOB entry; false for other entries.
  bool GetMetaInfo(int DBEntry, TMetaInfo& MetaInfo);
  // Overwrites the meta information of a BLOB entry in place.
  void UpdateMetaInfo(int DBEntry, const TMetaInfo& MetaInfo);
  // Rewrites name, altitude, class, tag, date and state of an entry.
  void UpdateBasicData(int DbEntry, const TgdbData& GdbData);
  // Rebuilds all five indexes from the entry table and writes them.
  void RecalcIndexes();
  // Drops unreferenced blocks from the data file.
  void GarbageCollection();
  // A readable text dump of header, entries and indexes.
  void ExportDataDebug(const std::string& FName);
  // The text ExportDataDebug writes.
  std::string DebugText();

  // --- changes ---
  void DeleteData(int DbEntry);

  int AddBorder(const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                float LongHigh, float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceBorder(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                     fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                     float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                     int32_t UserTag);
  int AddCity(const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine, fw::TDateTime Date,
              int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
              float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceCity(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                   fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                   float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                   int32_t UserTag);
  int AddLake(const TgdbName& Name, const TgdbPolygon& Polygon, fw::TDateTime Date,
              int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
              float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceLake(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                   fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                   float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                   int32_t UserTag);
  int AddRiver(const TgdbName& Name, const TgdbPolygon& Polygon, fw::TDateTime Date,
               int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
               float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceRiver(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                    fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                    float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                    int32_t UserTag);
  int AddRoad(const TgdbName& Name, const TgdbPolygon& Polygon, fw::TDateTime Date,
              int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
              float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceRoad(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                   fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                   float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                   int32_t UserTag);
  int AddRoute(const TgdbName& Name, const TgdbPolygon& Polygon, fw::TDateTime Date,
               int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
               float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceRoute(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                    fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                    float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
                    int32_t UserTag);
  int AddTown(const TgdbName& Name, fw::TDateTime Date, int32_t StateFlag, const TSCoords& Location,
              float Altitude, uint8_t ClassNumber, int32_t UserTag);
  void ReplaceTown(int DBEntry, const TgdbName& Name, fw::TDateTime Date, int32_t StateFlag,
                   const TSCoords& Location, float Altitude, uint8_t ClassNumber, int32_t UserTag);
  // BLOB from a file; its stored name is the file-name part of FileName.
  int AddBLOB(const std::string& FileName, fw::TDateTime Date, int32_t StateFlag, float LatLow,
              float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
              int32_t UserTag, const TMetaInfo& MInfo);
  // ... stored under the file-name part of FNameInDB.
  int AddBLOB(const std::string& FileName, const std::string& FNameInDB, fw::TDateTime Date,
              int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
              float Altitude, uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo);
  // ... and with OrgFilePath as its stored source path.
  int AddBLOB(const std::string& FileName, const std::string& FNameInDB,
              const std::string& OrgFilePath, fw::TDateTime Date, int32_t StateFlag, float LatLow,
              float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
              int32_t UserTag, const TMetaInfo& MInfo);
  // BLOB from memory.
  int AddBLOB(const std::string& Name, fw::TDateTime Date, int32_t StateFlag, float LatLow,
              float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
              int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData, int SizeOfBLOBData);
  // BLOB from the whole content of a memory stream.
  int AddBLOB(const std::string& Name, fw::TDateTime Date, int32_t StateFlag, float LatLow,
              float LatHigh, float LongLow, float LongHigh, float Altitude, uint8_t ClassNumber,
              int32_t UserTag, const TMetaInfo& MInfo, fw::TMemoryStream& Data);
  void ReplaceBLOB(int DBEntry, const std::string& FileName, fw::TDateTime Date, int32_t StateFlag,
                   float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo);
  void ReplaceBLOB(int DBEntry, const std::string& Name, fw::TDateTime Date, int32_t StateFlag,
                   float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo,
                   const void* PBLOBData, int SizeOfBLOBData);
  void ReplaceBLOB(int DBEntry, const std::string& Name, fw::TDateTime Date, int32_t StateFlag,
                   float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   uint8_t ClassNumber, int32_t UserTag, const TMetaInfo& MInfo,
                   fw::TMemoryStream& Data);

  // --- retrieval (DBEntry below 1 is taken as 1) ---
  bool RetrievePolygon(int DBEntry, TgdbPolygon& Polygon);
  // To a file; a Filepath that is empty or ends in a path delimiter is a
  // directory that receives the entry's name made safe for file names.
  bool RetrieveBLOB(int DBEntry, const std::string& Filepath, TMetaInfo& MetaInfo);
  bool RetrieveBLOB(int DBEntry, TMetaInfo& MetaInfo, void* PBLOBData, int SizeOfBLOBData);
  bool RetrieveBLOB(int DBEntry, TMetaInfo& MetaInfo, fw::TMemoryStream& BlobStream);

protected:
  // The general operations behind the typed family. With BlobFromFile the
  // content is read from SourceFile, or when that is empty from the FilePath
  // of MInfo.
  int AddData(const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine, TgdbItem ItemKind,
              uint8_t ClassNumber, fw::TDateTime Date, int32_t StateFlag, float LatLow,
              float LatHigh, float LongLow, float LongHigh, float Altitude, int32_t UserTag,
              const TMetaInfo& MInfo, const void* PBLOBData, int SizeOfBLOBData, bool BlobFromFile,
              const std::string& SourceFile = {});
  void ReplaceData(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                   TgdbItem ItemKind, uint8_t ClassNumber, fw::TDateTime Date, int32_t StateFlag,
                   float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData,
                   int SizeOfBLOBData, bool BlobFromFile, const std::string& SourceFile = {});

  void SaveIndex(int ix);
  static void SortIxInto(TIxLLRecArray& Ix, const TIxLLRec& Rec);
  static void SortIxItemIDInto(TIxItemIDRecArray& Ix, const TIxItemIDRec& Rec);
  void InsertIntoIndex(int DBEntry, const TgdbData& Data);
  void RemoveIndexEntries(int DBEntry);

private:
  bool IsOpen() const { return !FNameGDD.empty(); }
  // Raises unless the open database may be changed.
  void CheckWritable(const char* Operation) const;
  // Raises unless the summary file on disk holds the records memory holds.
  void CheckDiskMatchesMemory(const char* Operation) const;
  TGdbJournal Journal() const;
  // After a change has been committed through the journal: the index files
  // follow (when the change touched them) unless their writing is deferred.
  void SettleChange(bool IndexesChanged);
  // Where an addition's bytes go: the data file, or the write-behind buffer.
  TGdbAppender& Appender(std::unique_ptr<TGdbAppender>& Direct);
  void CloseState();
  // The common course of the BLOB retrievals: entry DBEntry (below 1: 1)
  // qualifies when it is a BLOB whose block lies in the data file; its meta
  // information is read, Prepare sees the entry, Consume takes the content
  // chunk by chunk. ReportAlways: progress 0 and 100 also when nothing qualifies.
  bool CopyBlob(int DBEntry, TMetaInfo& MetaInfo, bool ReportAlways,
                const std::function<void(const TgdbData&)>& Prepare,
                const std::function<void(const uint8_t*, int64_t)>& Consume);
  const TgdbData* BlobEntry(int DBEntry) const;
  // The data file opened with the entry's meta information read; null when
  // the entry has no block.
  std::unique_ptr<fw::TFileStream> OpenBlob(const TgdbData& Entry, TMetaInfo& MetaInfo);
  void OpenFileSet(const std::string& Base);
  void WriteHeader(const char* Operation);
  // Writes what deferred writing still holds back: buffered additions and,
  // when SaveIndexes is set, the index files.
  void FinishPendingWrites();
  // Applies index insertions that deferred writing has queued.
  void MaterializeIndexes();
  void SaveAllIndexes();
  int ClampEntry(int ix) const;
  TgdbData BuildRecord(const TgdbName& Name, TgdbItem ItemKind, uint8_t ClassNumber,
                       fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                       float LongLow, float LongHigh, float Altitude, int32_t UserTag) const;
  void WriteBlock(TGdbAppender& Sink, TDataBlock& Block, const char* Operation);
  void CheckDataLimit(int64_t DataSize, const TDataBlock& Block, const char* Operation) const;
  // The change that writes summary record DBEntry.
  TJournalChange SummaryRecordChange(int DBEntry, const TgdbData& Record) const;
  [[noreturn]] void RaiseDB(const std::string& Text) const;

  std::string FNameGDS;
  std::string FNameGDD;
  std::array<std::string, 5> FNameIX;
  std::vector<TgdbData> FSumData;
  int FNumSumItems = 0;
  bool FLazyWrite = false;
  bool FReadOnly = false;
  std::vector<std::string> FDamage;
  TIxItemIDRecArray FIx0ItemId;
  TIxLLRecArray FIx1LatLo;
  TIxLLRecArray FIx2LatHi;
  TIxLLRecArray FIx3LongLo;
  TIxLLRecArray FIx4LongHi;
  bool FOnPercDoneEnabled = true;
  TgdbSystemData FSystemData;
  // Entry numbers whose index insertions wait (deferred writing only).
  std::vector<int> FPendingIndex;
  std::unique_ptr<TGdbWriteBehind> FWriteBehind;
  // Built by the first box query, dropped by every change of a box.
  std::shared_ptr<const TGdbBoxTable> FBoxTable;
};

// The header of a database, read without opening it.
KARTAVO_API TgdbSystemData ReadSystemInformation(const std::string& FileName);

} // namespace kartavo
