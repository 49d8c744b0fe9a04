#pragma once
// The descriptions of the built-in international dialling-code and radio call-sign data
// for the data-set checker.
#include "tests/support/data_checker.h"

namespace testing_support {

DataSet international_dialling_codes();
DataSet radio_call_signs();

} // namespace testing_support
