#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"

#include <QStringList>

// What a compile leaves besides the samples: the 0-based, inclusive sample indices the
// last expression line filled and the span of the evaluated values. The compile writes
// them as it goes, so after a failure they hold what it had stored up to that point.
struct lib_equation_span_t
{
    double x_range_start = 0.0;
    double x_range_end = 0.0;
    double value_min = 0.0;
    double value_max = 0.0;
};

// Turns the equation editor's lines (its paragraphs) into the samples of `result`.
// Empty lines and lines starting with "#" are skipped; blanks are removed; then each
// line is a parameter definition, a range declaration or an expression in x that is
// evaluated for every index of the range in force (all samples when none), with x the
// index divided by the range's length. The values go, line after line, to the scratch
// file "temp_data.bin" in the working directory and are then mapped onto full scale:
// result's amplitude becomes half their span and its offset their middle (a constant
// result gets codes 0, amplitude 0 and the value as offset); its frequency stays.
//
// Returns the status of the last line handed to the evaluator (above 37 on success),
// 34 when there was none, or the failure: the evaluator's 30 to 33, 36 and 37, 33 for
// a value that is not finite, 36 for every line when samples is below 1, and 30 when
// the scratch file or the result's file fails or memory runs out. *line is the 1-based
// number of the line being worked on when the compile ended. A failure leaves result
// untouched (and the scratch file on disk, which the next compile deletes first).
int32 lib_equation_compile(const QStringList &lines, int32 samples, lib_wv_data_t<short int> *result, int32 *line,
                           lib_equation_span_t *span);

// Whether expression lines may take the compiled path of lib_expr_program_t (on by
// default); the benchmark measures both.
void lib_equation_set_fast_path(bool enabled);
