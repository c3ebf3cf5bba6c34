#pragma once

#include "report_options.h"
#include "report_page.h"
#include "report_source.h"

// Makes the survey's report from its worksheet's layout and writes every
// value into its label, rounded and with its unit as the report shows it.
// The calculation sheet follows unless the options leave it out. Raises
// ProgramError for a value that is not a number.
ReportPage fillReport(const ReportSource& source, const ReportOptions& options = {});
