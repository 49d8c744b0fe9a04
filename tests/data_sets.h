#pragma once
// The descriptions of the built-in data sets for the data-set checker, one function a set.
// Each set's own file holds its description and the tests that only it has;
// data_set_test.cpp runs every set through the checks all of them share.
#include "tests/support/data_checker.h"

namespace testing_support {

DataSet web_domain_names();
DataSet international_vehicle_symbols();
DataSet uk_number_plates();
DataSet international_dialling_codes();
DataSet radio_call_signs();
DataSet uk_post_codes();
DataSet uk_dialling_codes();
DataSet us_zip_codes();

} // namespace testing_support
