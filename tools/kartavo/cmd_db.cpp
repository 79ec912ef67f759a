// `kartavo db`: inspect and change a geographic database file set.
#include "cli.h"
#include "db_open.h"

#include "kartavo/framework/date_time.h"
#include "kartavo/framework/errors.h"
#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/geodb.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <unistd.h>

// data/ne_110m_countries.geojson, built into the program.
extern const std::string_view kSampleCountries;

namespace {

using kartavo::TgdbData;
using kartavo::TGeoDB;
using kcli::Access;
using kcli::CheckDatabaseName;
using kcli::OpenDB;

// A bar on standard error while it is a terminal, fed by the progress event.
class ProgressBar {
public:
  explicit ProgressBar(TGeoDB& db) : FActive(::isatty(STDERR_FILENO) != 0) {
    if (!FActive) return;
    db.OnPercentDone = [this](fw::TObject*, int percent) { Draw(percent); };
  }
  ~ProgressBar() {
    if (FDrawn) std::cerr << '\n';
  }

private:
  void Draw(int percent) {
    const int filled = std::clamp(percent, 0, 100) * 40 / 100;
    std::cerr << "\r[" << std::string(size_t(filled), '#') << std::string(size_t(40 - filled), ' ')
              << "] " << percent << '%' << std::flush;
    FDrawn = true;
  }
  bool FActive;
  bool FDrawn = false;
};

[[noreturn]] void BadInput(const std::string& text) { throw std::runtime_error(text); }

int EntryNumber(const TGeoDB& db, const std::string& text) {
  int n = 0;
  if (!kcli::ParseInt(text, n) || n < 1 || n > db.NumEntries())
    BadInput("entry \"" + text + "\" is not between 1 and " + std::to_string(db.NumEntries()));
  return n;
}

std::string Num(double v) {
  std::ostringstream s;
  s.precision(7);
  s << v;
  return s.str();
}

std::string Summary(int n, const TgdbData& d) {
  return std::to_string(n) + "\t" + std::to_string(d.ItemId) + "\t" +
         std::string(kartavo::GDB_ITEMNAMES[d.ItemKind]) + "\t" + d.Name.ToString() + "\t" +
         Num(d.LatLow) + " " + Num(d.LatHigh) + " " + Num(d.LongLow) + " " + Num(d.LongHigh);
}

kartavo::TgdbItem ParseKind(const std::string& text) {
  for (size_t k = 0; k < kartavo::GDB_ITEMNAMES.size(); ++k) {
    const std::string_view name = kartavo::GDB_ITEMNAMES[k];
    if (text.size() == name.size() &&
        std::equal(text.begin(), text.end(), name.begin(),
                   [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
      return static_cast<kartavo::TgdbItem>(k);
  }
  BadInput("kind \"" + text +
           "\" is none of Border, Town, City, Lake, River, Road, Route, BLOB, "
           "Undefined");
}

double ParseCoord(const std::string& text, double limit, const char* what) {
  double v = 0;
  if (!kcli::ParseDouble(text, v) || v < -limit || v > limit)
    BadInput(std::string(what) + " \"" + text + "\" is not a number from " + Num(-limit) + " to " +
             Num(limit));
  return v;
}

void Info(const std::string& name) {
  auto db = OpenDB(name, Access::Read);
  const kartavo::TgdbSystemData h = db->SystemData();
  std::cout << "Database:    " << db->DBName() << "\nDescription: " << db->Description()
            << "\nRevision:    " << db->Revision() << "\nVersion:     " << db->DBVersion()
            << "\nHighest ID:  " << h.HighestID << "\nEntries:     " << db->NumEntries() << '\n';
  std::array<int, 9> counts{};
  for (int n = 1; n <= db->NumEntries(); ++n)
    ++counts[db->Data(n).ItemKind];
  for (size_t k = 0; k < counts.size(); ++k)
    if (counts[k] > 0) std::cout << "  " << kartavo::GDB_ITEMNAMES[k] << ": " << counts[k] << '\n';
}

void List(const std::string& name, const std::string& kind, const std::vector<std::string>& box) {
  auto db = OpenDB(name, Access::Read);
  const bool anyKind = kind.empty();
  const kartavo::TgdbItem wanted = anyKind ? kartavo::gitUndefined : ParseKind(kind);
  std::vector<int> entries;
  if (box.empty()) {
    for (int n = 1; n <= db->NumEntries(); ++n)
      entries.push_back(n);
  } else {
    entries =
        kartavo::EntriesInBox(*db, ParseCoord(box[0], 90, "south"), ParseCoord(box[1], 180, "west"),
                              ParseCoord(box[2], 90, "north"), ParseCoord(box[3], 180, "east"));
  }
  for (int n : entries) {
    const TgdbData d = db->Data(n);
    if (anyKind || d.ItemKind == wanted) std::cout << Summary(n, d) << '\n';
  }
}

void Get(const std::string& name, const std::string& entry) {
  auto db = OpenDB(name, Access::Read);
  const int n = EntryNumber(*db, entry);
  const TgdbData d = db->Data(n);
  std::cout << Summary(n, d) << "\naltitude " << Num(d.Altitude) << ", class " << int{d.ClassFlag}
            << ", tag " << d.Tag << ", state " << d.StateFlag << ", date " << Num(d.Date) << '\n';
  kartavo::TgdbPolygon poly;
  if (kartavo::IsPolygonKind(d.ItemKind) && db->RetrievePolygon(n, poly)) {
    std::cout << poly.size() << " points, " << (d.Closed ? "closed" : "open") << '\n';
    for (const auto& p : poly)
      std::cout << Num(p.Latit) << ' ' << Num(p.Longit) << '\n';
  }
  kartavo::TMetaInfo meta;
  if (d.ItemKind == kartavo::gitBLOB && db->GetMetaInfo(n, meta)) {
    std::cout << d.Size << " bytes\n";
    const char* labels[] = {"keywords", "caption", "file path", "descriptor", "comment"};
    for (int i = 0; i < 5; ++i)
      std::cout << labels[i] << ": "
                << kartavo::MetaItemText(meta, static_cast<kartavo::TMetaItem>(i)) << '\n';
  }
}

void AddTown(const std::string& name, const std::string& town, const std::string& lat,
             const std::string& lon) {
  const float latit = float(ParseCoord(lat, 90, "latitude"));
  const float longit = float(ParseCoord(lon, 180, "longitude"));
  auto db = OpenDB(name, Access::Create);
  std::cout << db->AddTown(town, fw::Now(), 0, {latit, longit}, 0, 0, 0) << '\n';
}

void PutBlob(const std::string& name, const std::string& file) {
  if (!std::filesystem::is_regular_file(file)) BadInput("file \"" + file + "\" cannot be read");
  auto db = OpenDB(name, Access::Create);
  ProgressBar bar(*db);
  std::cout << db->AddBLOB(file, fw::Now(), 0, 0, 0, 0, 0, 0, 0, 0, {}) << '\n';
}

void GetBlob(const std::string& name, const std::string& entry, const std::string& out) {
  auto db = OpenDB(name, Access::Read);
  const int n = EntryNumber(*db, entry);
  kartavo::TMetaInfo meta;
  ProgressBar bar(*db);
  if (!db->RetrieveBLOB(n, out, meta)) BadInput("entry " + entry + " is not a BLOB");
}

void Change(const std::string& name, const std::function<void(TGeoDB&)>& work) {
  auto db = OpenDB(name, Access::Change);
  ProgressBar bar(*db);
  work(*db);
}

void Dump(const std::string& name) {
  auto db = OpenDB(name, Access::Read);
  std::cout << db->DebugText();
}

void Check(const std::string& name) {
  const kartavo::TGdbCheckReport r = kartavo::CheckDatabase(name);
  std::cout << "Entries:     " << r.Entries << "\nData file:   " << r.DataBytes << " bytes, "
            << r.UnreferencedBytes << " of them unreferenced\n";
  for (const std::string& d : r.Damage)
    std::cout << "damaged: " << d << '\n';
  for (const std::string& n : r.Notes)
    std::cout << "mended when next opened for writing: " << n << '\n';
  if (r.Damage.empty()) {
    std::cout << "status: sound\n";
    return;
  }
  std::cout << "status: damaged; `kartavo db recover` copies what can be read into a new "
               "database\n";
  kcli::SetExitCode(kcli::exitBadInput);
}

void Recover(const std::string& name, const std::string& target) {
  if (kartavo::TGdbFileNames::BaseOf(target).empty()) BadInput("empty target database name");
  const kartavo::TGdbRecoverReport r = kartavo::RecoverDatabase(name, target);
  for (const std::string& d : r.Dropped)
    std::cout << "left out: " << d << '\n';
  std::cout << "recovered " << r.Recovered << " entries into " << target << '\n';
}

void ImportGeoJSON(const std::string& name, const std::string& file,
                   const kartavo::TGeoJSONImportOptions& options) {
  if (!std::filesystem::is_regular_file(file)) BadInput("file \"" + file + "\" cannot be read");
  auto db = OpenDB(name, Access::Create);
  kartavo::TGeoJSONImportReport r;
  {
    ProgressBar bar(*db);
    r = kartavo::ImportGeoJSON(*db, file, options);
  }
  std::cout << "imported " << r.Features << " features as " << r.Entries << " entries, " << r.Points
            << " points:";
  for (size_t k = 0; k < r.Kinds.size(); ++k)
    if (r.Kinds[k] > 0) std::cout << ' ' << kartavo::GDB_ITEMNAMES[k] << ' ' << r.Kinds[k];
  std::cout << '\n';
  if (r.EmptyFeatures > 0)
    std::cout << r.EmptyFeatures << " features without geometry: nothing stored\n";
  if (r.PropertiesEntry > 0)
    std::cout << "ids and properties kept in entry " << r.PropertiesEntry << '\n';
  for (const auto& [value, count] : r.UnknownKinds)
    std::cerr << "kartavo: note: \"" << options.KindProperty << "\" value \"" << value
              << "\" names no kind (" << count << " features): stored by their geometry\n";
}

void ExportGeoJSON(const std::string& name, const std::string& file, const std::string& kind,
                   const std::vector<std::string>& box) {
  auto db = OpenDB(name, Access::Read);
  kartavo::TGeoJSONExportOptions options;
  if (!kind.empty()) {
    options.Kind = ParseKind(kind);
    if (options.Kind == kartavo::gitBLOB || options.Kind == kartavo::gitUndefined)
      BadInput("kind \"" + kind + "\" has no geometry to export");
  }
  if (!box.empty()) {
    options.UseBox = true;
    options.South = ParseCoord(box[0], 90, "south");
    options.West = ParseCoord(box[1], 180, "west");
    options.North = ParseCoord(box[2], 90, "north");
    options.East = ParseCoord(box[3], 180, "east");
  }
  int features = 0;
  {
    ProgressBar bar(*db);
    features = kartavo::ExportGeoJSON(*db, file, options);
  }
  std::cout << "exported " << features << " features to " << file << '\n';
}

// The values the subcommands read; each subcommand fills the fields it names.
struct DbArgs {
  std::string db, kind, entry, town, lat, lon, file, target;
  std::vector<std::string> box;
  kartavo::TGeoJSONImportOptions options;
};

void Setup(CLI::App& root) {
  auto* db =
      root.add_subcommand("db", "Inspect and change a geographic database")->require_subcommand(1);
  auto args = std::make_shared<DbArgs>();
  auto addDB = [args](CLI::App* sub) {
    sub->add_option("DB", args->db, "Database name (with or without extension)")
        ->required()
        ->transform(CLI::Validator(CheckDatabaseName, "DB"));
  };
  auto addEntry = [args](CLI::App* sub) {
    sub->add_option("N", args->entry, "Entry number")->required();
  };

  auto* info = db->add_subcommand("info", "Header and number of entries of each kind");
  addDB(info);
  info->callback([args] { Info(args->db); });

  auto* list = db->add_subcommand("list", "One line per entry: number, id, kind, name, box");
  addDB(list);
  list->add_option("--kind", args->kind, "Only entries of this kind (Border, Town, ...)");
  list->add_option("--bbox", args->box, "Only entries whose box meets S W N E")
      ->expected(4)
      ->allow_extra_args(false);
  list->callback([args] { List(args->db, args->kind, args->box); });

  auto* town = db->add_subcommand("add-town", "Add a town; prints its entry number");
  addDB(town);
  town->add_option("NAME", args->town, "Town name")->required();
  town->add_option("LAT", args->lat, "Latitude in degrees, north positive")->required();
  town->add_option("LON", args->lon, "Longitude in degrees, east positive")->required();
  town->callback([args] { AddTown(args->db, args->town, args->lat, args->lon); });

  auto* get = db->add_subcommand("get", "An entry with its points or meta information");
  addDB(get);
  addEntry(get);
  get->callback([args] { Get(args->db, args->entry); });

  auto* put = db->add_subcommand("put-blob", "Store a file as a BLOB; prints its entry number");
  addDB(put);
  put->add_option("FILE", args->file, "File to store")->required();
  put->callback([args] { PutBlob(args->db, args->file); });

  auto* getb = db->add_subcommand("get-blob", "Write a BLOB's content to a file or folder/");
  addDB(getb);
  addEntry(getb);
  getb->add_option("OUT", args->target, "Target file, or a folder ending in /")->required();
  getb->callback([args] { GetBlob(args->db, args->entry, args->target); });

  auto* del = db->add_subcommand("delete", "Delete an entry (the last entry takes its number)");
  addDB(del);
  addEntry(del);
  del->callback([args] {
    Change(args->db, [args](TGeoDB& d) { d.DeleteData(EntryNumber(d, args->entry)); });
  });

  auto* reindex = db->add_subcommand("reindex", "Rebuild the five index files");
  addDB(reindex);
  reindex->callback([args] { Change(args->db, [](TGeoDB& d) { d.RecalcIndexes(); }); });

  auto* gc = db->add_subcommand("gc", "Drop unreferenced blocks from the data file");
  addDB(gc);
  gc->callback([args] {
    Change(args->db, [](TGeoDB& d) {
      const std::string data = d.DBName() + std::string(kartavo::kDataSuffix);
      const auto before = std::filesystem::file_size(data);
      d.GarbageCollection();
      std::cout << "data file " << before << " -> " << std::filesystem::file_size(data)
                << " bytes\n";
    });
  });

  auto* importCmd = db->add_subcommand(
      "import", "Add the features of a GeoJSON file (creates the database); all or nothing");
  addDB(importCmd);
  importCmd->add_option("FILE", args->file, "GeoJSON file (FeatureCollection)")->required();
  importCmd->add_option("--name-prop", args->options.NameProperty,
                        "Property that names a feature (default: name, NAME or Name)");
  importCmd->add_option("--kind-prop", args->options.KindProperty,
                        "Property whose text chooses the kind (border, lake, city, river, road, "
                        "route, town and common words such as reservoir, highway, railway)");
  importCmd
      ->add_option("--city-pop", args->options.CityPopulation,
                   "Points with at least this \"population\" are cities")
      ->capture_default_str();
  importCmd->callback([args] { ImportGeoJSON(args->db, args->file, args->options); });

  auto* exp = db->add_subcommand("export", "Write entries as a GeoJSON FeatureCollection");
  addDB(exp);
  exp->add_option("OUT", args->target, "GeoJSON file to write")->required();
  exp->add_option("--kind", args->kind, "Only entries of this kind (Border, Town, ...)");
  exp->add_option("--bbox", args->box, "Only entries whose box meets S W N E")
      ->expected(4)
      ->allow_extra_args(false);
  exp->callback([args] { ExportGeoJSON(args->db, args->target, args->kind, args->box); });

  auto* dump = db->add_subcommand("dump", "Readable dump of header, entries and indexes");
  addDB(dump);
  dump->callback([args] { Dump(args->db); });

  auto* check = db->add_subcommand(
      "check", "Report what is damaged or unfinished; changes nothing (status 1: damaged)");
  addDB(check);
  check->callback([args] { Check(args->db); });

  auto* recover = db->add_subcommand(
      "recover", "Copy every readable entry into a new database; the old one is only read");
  addDB(recover);
  recover->add_option("NEWDB", args->target, "Name of the new database (must not exist)")
      ->required()
      ->transform(CLI::Validator(CheckDatabaseName, "NEWDB"));
  recover->callback([args] { Recover(args->db, args->target); });
}

const kcli::CommandRegistrar kRegister(30, Setup);

// Opens the demo database DIR/FILE in db, named and described; a demo
// database starts from nothing each run.
void OpenFreshDemoDatabase(TGeoDB& db, const std::filesystem::path& dir, const char* file,
                           const char* name, const char* description) {
  const std::string base = (dir / file).string();
  const kartavo::TGdbFileNames files = kartavo::TGdbFileNames::FromBase(base);
  std::filesystem::remove(files.Summary);
  std::filesystem::remove(files.Data);
  for (const std::string& index : files.Index)
    std::filesystem::remove(index);
  db.SetName(name);
  db.SetDBName(base);
  db.SetDescription(description);
}

void Demo(std::ostream& out, const std::filesystem::path& dir) {
  TGeoDB db(nullptr);
  OpenFreshDemoDatabase(db, dir, "alps", "DemoDB", "Demo: a few features of the Alps");
  const fw::TDateTime now = fw::Now();
  db.AddTown("Innsbruck", now, 0, {47.2692f, 11.4041f}, 574, 1, 0);
  db.AddTown("Bolzano", now, 0, {46.4983f, 11.3548f}, 262, 1, 0);
  db.AddTown("Zürich", now, 0, {47.3769f, 8.5417f}, 408, 1, 0);
  db.AddRiver("Inn", {{46.41f, 9.75f}, {46.80f, 10.30f}, {47.27f, 11.40f}, {47.57f, 12.17f}}, now,
              0, 0, 0, 0, 0, 0, 2, 0);
  db.AddLake("Lake Constance", {{47.70f, 9.00f}, {47.50f, 9.50f}, {47.55f, 9.75f}, {47.80f, 9.30f}},
             now, 0, 0, 0, 0, 0, 395, 3, 0);
  const std::string note = "Brenner Pass: 1370 m, between Innsbruck and Bolzano.";
  kartavo::TMetaInfo meta;
  meta.Caption = "Brenner Pass";
  db.AddBLOB("brenner.txt", now, 0, 47.0f, 47.0f, 11.5f, 11.5f, 1370, 0, 0, meta, note.data(),
             int(note.size()));
  out << "database " << db.DBName() << ": " << db.NumEntries() << " entries\n";
  out << "identifier 4 is entry " << db.SearchForItemID(4) << " ("
      << db.Data(db.SearchForItemID(4)).Name.ToString() << ")\n";
  out << "in the box 47..48 N, 9..12 E:\n";
  for (int n : kartavo::EntriesInBox(db, 47, 9, 48, 12)) {
    const TgdbData d = db.Data(n);
    out << "  " << kartavo::GDB_ITEMNAMES[d.ItemKind] << ' ' << d.Name.ToString() << " at "
        << kartavo::GeoLatitude(d.LatLow, quillon::dfDegMin, 1) << ", "
        << kartavo::GeoLongitude(d.LongLow, quillon::dfDegMin, 1) << '\n';
  }
  fw::TMemoryStream text;
  kartavo::TMetaInfo got;
  if (db.RetrieveBLOB(db.SearchData("brenner.txt"), got, text))
    out << "BLOB \"" << got.Caption.ToString() << "\" reads: "
        << std::string(reinterpret_cast<const char*>(text.Memory()), size_t(text.Size())) << '\n';
}

// The country borders of the world at 1:110m (Natural Earth) in a database
// of their own, DIR/world: generated world maps draw from it.
void DemoWorld(std::ostream& out, const std::filesystem::path& dir) {
  TGeoDB db(nullptr);
  OpenFreshDemoDatabase(db, dir, "world", "WorldDB", "Natural Earth 1:110m country borders");
  const kartavo::TGeoJSONImportReport r =
      kartavo::ImportGeoJSONText(db, kSampleCountries, "ne_110m_countries.geojson");
  out << "database " << db.DBName() << ": " << r.Features << " countries of Natural Earth as "
      << r.Entries << " borders, " << r.Points << " points\n";
  out << "borders in the box 45..48 N, 5..11 E:";
  for (int n : kartavo::EntriesInBox(db, 45, 5, 48, 11))
    if (db.Data(n).ItemKind == kartavo::gitBorder) out << ' ' << db.Data(n).Name.ToString();
  out << '\n';
  kartavo::TGeoJSONExportOptions alps;
  alps.UseBox = true;
  alps.South = 45, alps.West = 5, alps.North = 48, alps.East = 11;
  const std::string file = (dir / "alps_borders.geojson").string();
  out << "exported " << kartavo::ExportGeoJSON(db, file, alps) << " of them to " << file << '\n';
}

void DemoAll(std::ostream& out, const std::filesystem::path& dir) {
  Demo(out, dir);
  DemoWorld(out, dir);
}

const kcli::DemoRegistrar kDemo(30, "Geographic database", DemoAll);

} // namespace
