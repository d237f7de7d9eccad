// The gauges of eng_ind_dials.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace eng_ind_n1_1 {
inline constexpr char kName[] = "toskelin eng_ind_n1_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_ind_n1_1

namespace eng_ind_n1_2 {
inline constexpr char kName[] = "toskelin eng_ind_n1_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_ind_n1_2

namespace eng_ind_ff_1 {
inline constexpr char kName[] = "toskelin eng_ind_ff_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_ind_ff_1

namespace eng_ind_ff_2 {
inline constexpr char kName[] = "toskelin eng_ind_ff_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_ind_ff_2

namespace eng_ind_egt_1 {
inline constexpr char kName[] = "toskelin eng_ind_egt_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_ind_egt_1

namespace eng_ind_egt_2 {
inline constexpr char kName[] = "toskelin eng_ind_egt_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_ind_egt_2

namespace eng_ind_n2_1 {
inline constexpr char kName[] = "toskelin eng_ind_n2_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_ind_n2_1

namespace eng_ind_n2_2 {
inline constexpr char kName[] = "toskelin eng_ind_n2_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace eng_ind_n2_2

inline constexpr CatalogueEntry eng_ind_dials_gauges[] = {
    {eng_ind_n1_1::kName, &eng_ind_n1_1::header, &eng_ind_n1_1::labels},
    {eng_ind_n1_2::kName, &eng_ind_n1_2::header, &eng_ind_n1_2::labels},
    {eng_ind_ff_1::kName, &eng_ind_ff_1::header, &eng_ind_ff_1::labels},
    {eng_ind_ff_2::kName, &eng_ind_ff_2::header, &eng_ind_ff_2::labels},
    {eng_ind_egt_1::kName, &eng_ind_egt_1::header, &eng_ind_egt_1::labels},
    {eng_ind_egt_2::kName, &eng_ind_egt_2::header, &eng_ind_egt_2::labels},
    {eng_ind_n2_1::kName, &eng_ind_n2_1::header, &eng_ind_n2_1::labels},
    {eng_ind_n2_2::kName, &eng_ind_n2_2::header, &eng_ind_n2_2::labels},
};

}  // namespace kadrimos::gauges
