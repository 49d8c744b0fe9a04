#pragma once
// The eight default-data modules, one per search category, and the look-up by category
// that the restore command uses. Each module is created on first use.
#include "default_data/default_data_module.h"

namespace zentrel {

DefaultDataModule& modDefaultDIRECTORY();           // 0, UK dialling codes
DefaultDataModule& modDefaultPOSTCODES();           // 1, UK post codes
DefaultDataModule& modDefaultCALLSIGNS();           // 2, radio call signs
DefaultDataModule& modDefaultInternationalTel();    // 3, international dialling codes
DefaultDataModule& modDefaultWebDomainNames();      // 4, web domain names
DefaultDataModule& modDefaultUKNumberPlates();      // 5, UK vehicle number plates
DefaultDataModule& modDefaultInternationalCarIDs(); // 6, international vehicle symbols
DefaultDataModule& modDefaultUSZipCodes();          // 7, US ZIP codes

// The module of search category 0 to 7; nullptr for any other value.
DefaultDataModule* default_data_for_category(int category);

} // namespace zentrel
