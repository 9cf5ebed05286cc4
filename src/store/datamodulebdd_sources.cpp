// Record operations of the store on the Sources and Illustrations tables: identifiers, look-ups,
// writes and walks.
#include <algorithm>

#include "platform/references_ansi.h"
#include "store/datamodulebdd_sources_interne.h"

namespace kyb {
namespace {

template <class Curseur>
void LitSource(Curseur& c, TSourceBDD& s) {
  s.Id = c.FieldByName("ID_SOURCE").AsInteger();
  s.IdEven = c.FieldByName("ID_EVEN").AsInteger();
  s.Type = c.FieldByName("TYPE").AsUnicodeString();
  s.Descriptif = c.FieldByName("DESCRIPTIF").AsUnicodeString();
  s.Rang = c.FieldByName("RANG").AsInteger();
}

template <class Curseur>
void LitIllustration(Curseur& c, TIllustrationBDD& i) {
  i.Id = c.FieldByName("ID_ILLUSTRATION").AsInteger();
  i.IdEven = c.FieldByName("ID_EVEN").AsInteger();
  i.Chemin = c.FieldByName("CHEMIN").AsAnsiString();
  i.Rang = c.FieldByName("RANG").AsInteger();
  i.Tag = c.FieldByName("TAG").AsInteger();
}

// Positions the table on its primary key; false when the row does not exist.
bool Trouve(TACRTable* t, const char* index, long id) {
  return t && id > 0 && t->SetIndexName(index) && t->FindKey({Cle(id)});
}

}  // namespace

long TSourcesBDD::NouvelIdentifiant(const std::string& table, const std::string& colonne) {
  if (EnImport())
    if (const int32_t id = coeur_.IdReserve(table)) return id;
  TACRTable* t = Table(table);
  if (!t) return 0;
  const std::vector<long> max = ListeNombres("SELECT max(" + colonne + ") FROM " + table);
  return static_cast<long>(std::max<int64_t>(t->LastAutoIncValue(), max.empty() ? 0 : max.front())) + 1;
}

long TSourcesBDD::ReturnNewNumSource() { return NouvelIdentifiant("Sources", "ID_SOURCE"); }

long TSourcesBDD::ReturnNewNumIllustration() { return NouvelIdentifiant("Illustrations", "ID_ILLUSTRATION"); }

bool TSourcesBDD::NoSourceExists(long id) { return Trouve(Table("Sources"), "ParID_SOURCE", id); }

bool TSourcesBDD::NoIllustrationExists(long id) {
  return Trouve(Table("Illustrations"), "ParID_ILLUSTRATION", id);
}

bool TSourcesBDD::LectureSource(long id, TSourceBDD& source) {
  TACRTable* t = Table("Sources");
  if (!Trouve(t, "ParID_SOURCE", id)) return false;
  LitSource(*t, source);
  return true;
}

bool TSourcesBDD::LectureIllustration(long id, TIllustrationBDD& illustration) {
  TACRTable* t = Table("Illustrations");
  if (!Trouve(t, "ParID_ILLUSTRATION", id)) return false;
  LitIllustration(*t, illustration);
  return true;
}

bool TSourcesBDD::EcritureSource(TSourceBDD& s) {
  TACRTable* t = Table("Sources");
  if (!t || EstLectureSeule() || s.Id < 0) return false;
  if (Trouve(t, "ParID_SOURCE", s.Id)) EditInTable(*t);
  else InsertInTable(*t);
  if (s.Id > 0) t->FieldByName("ID_SOURCE").SetInteger(s.Id);
  t->FieldByName("ID_EVEN").SetInteger(s.IdEven);
  t->FieldByName("TYPE").SetUnicodeString(s.Type.substr(0, 30));
  t->FieldByName("DESCRIPTIF").SetUnicodeString(s.Descriptif.substr(0, 300));
  t->FieldByName("RANG").SetInteger(s.Rang);
  if (!PostInTable(*t)) {
    Cancel(*t);
    return false;
  }
  s.Id = static_cast<long>(t->RowId());
  return true;
}

bool TSourcesBDD::EcritureIllustration(TIllustrationBDD& i) {
  TACRTable* t = Table("Illustrations");
  if (!t || EstLectureSeule() || i.Id < 0) return false;
  if (Trouve(t, "ParID_ILLUSTRATION", i.Id)) EditInTable(*t);
  else InsertInTable(*t);
  if (i.Id > 0) t->FieldByName("ID_ILLUSTRATION").SetInteger(i.Id);
  t->FieldByName("ID_EVEN").SetInteger(i.IdEven);
  t->FieldByName("CHEMIN").SetAnsiString(CoupeAnsiCaracteres(i.Chemin, 260));
  t->FieldByName("RANG").SetInteger(i.Rang);
  t->FieldByName("TAG").SetInteger(i.Tag);
  if (!PostInTable(*t)) {
    Cancel(*t);
    return false;
  }
  i.Id = static_cast<long>(t->RowId());
  return true;
}

namespace {

std::unique_ptr<TACRTable> Parcours(TACRDatabase& base, const char* table, const char* index) {
  auto t = std::make_unique<TACRTable>(base, table);
  if (!t->Open() || !t->SetIndexName(index)) return nullptr;
  t->First();
  return t;
}

}  // namespace

void TSourcesBDD::BeginParcoursSources() { parcoursSources_ = Parcours(*base_, "Sources", "ParID_SOURCE"); }

bool TSourcesBDD::GetSourceParcours(TSourceBDD& source) {
  if (!parcoursSources_ || parcoursSources_->Eof() || parcoursSources_->IsEmpty()) return false;
  LitSource(*parcoursSources_, source);
  parcoursSources_->Next();
  return true;
}

void TSourcesBDD::BeginParcoursIllustrations() {
  parcoursIllustrations_ = Parcours(*base_, "Illustrations", "ParID_ILLUSTRATION");
}

bool TSourcesBDD::GetIllustrationParcours(TIllustrationBDD& illustration) {
  if (!parcoursIllustrations_ || parcoursIllustrations_->Eof() || parcoursIllustrations_->IsEmpty()) return false;
  LitIllustration(*parcoursIllustrations_, illustration);
  parcoursIllustrations_->Next();
  return true;
}

}  // namespace kyb
