#pragma once

#include "ReferenceEntity.h"

// Model classes: below 200 a tractor model, 200 and above a trailer model.
constexpr int kTractorClass = 100;
constexpr int kTrailerClass = 200;
inline bool IsTrailerClass(int modelClass) { return modelClass >= kTrailerClass; }

// A vehicle model; its class tells tractors from trailers.
class TVYKModel : public TVisualEntity {
public:
    int TypeCode() const override { return TYPE_MODEL; }
    // Empties the names and keeps the kind: Class becomes 200 for a trailer model, else 100.
    void Clear() override;

    int Class = kTractorClass;
    QString ModelName;  // identifying name, upper case
    QString PrintLabel; // as printed on documents
    int UnladenWeight = 0;
};

class TVYKModelImpl : public TVYKModel, public TReferenceEntityImpl {
public:
    explicit TVYKModelImpl(int modelClass = kTractorClass);

    bool Load(int id) override;
    void Save() override;
    // Refused (false) while a vehicle uses the model.
    bool Delete(int id) override;
    std::unique_ptr<TEntity> CreateInstance() const override;
    std::unique_ptr<TDictConfig> CreateDictConfig() override;

    // Reopens the view's query: the configuration's SQL limited to tractor or trailer models.
    void Refresh();
};

// The query of a vehicle or model view: the base SQL with the class condition of its active kind filter.
QString ClassFilteredSql(const TDictConfig& config);
// The two kind filters of a vehicle or model view; the one of modelClass's kind is on and cannot be removed.
void AddKindFilters(TDictConfig& config, int modelClass, const QString& tractorsCaption,
                    const QString& trailersCaption);
