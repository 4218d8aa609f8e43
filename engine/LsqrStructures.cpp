// The LSQR structures: vectors, the input, output, work and function records,
// their checked allocation and release.
#include "engine/Lsqr.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

[[noreturn]] void allocationFailure(const char* message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "\t%s\n", message);
    std::fflush(stderr);
    std::exit(-1);
}

/// A zero-initialised record from the LSQR allocator, or the fatal message.
template <class T>
T* allocRecord(LsqrAllocator allocate, const char* failure)
{
    void* p = allocate(sizeof(T));
    if (!p) allocationFailure(failure);
    return new (p) T{};
}

/// A dvec whose failures carry the structure's own messages.
dvec* allocVector(LsqrAllocator allocate, std::int32_t length, const char* recordFailure,
                  const char* elementFailure)
{
    dvec* v = allocRecord<dvec>(allocate, recordFailure);
    const std::size_t n = length > 0 ? std::size_t(length) : 0;
    void* p = allocate(n > 0 ? n * sizeof(double) : 1);
    if (!p) allocationFailure(elementFailure);
    v->length = std::int32_t(n);
    v->elements = static_cast<double*>(p);
    if (n > 0) std::memset(p, 0, n * sizeof(double));
    return v;
}

std::size_t lengthOf(const dvec* v) { return std::size_t(v->length); }

} // namespace

// --- Vectors ---------------------------------------------------------------

dvec* alloc_dvec(std::int32_t length, LsqrAllocator allocate)
{
    return allocVector(allocate, length, "lsqr: vector allocation failure in function alloc_dvec()",
                       "lsqr: element allocation failure in function alloc_dvec()");
}

void free_dvec(dvec* v)
{
    if (!v) return;
    std::free(v->elements);
    std::free(v);
}

double dvec_norm2(const dvec* v)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < lengthOf(v); ++i) sum += v->elements[i] * v->elements[i];
    return std::sqrt(sum);
}

void dvec_scale(double factor, dvec* v)
{
    for (std::size_t i = 0; i < lengthOf(v); ++i) v->elements[i] *= factor;
}

void dvec_copy(const dvec* from, dvec* to)
{
    std::memcpy(to->elements, from->elements, lengthOf(from) * sizeof(double));
}

// --- Structures --------------------------------------------------------------

lsqr_in* alloc_lsqr_in(std::int32_t rows, std::int32_t columns, LsqrAllocator allocate)
{
    lsqr_in* in = allocRecord<lsqr_in>(allocate, "lsqr: input structure allocation failure in function alloc_lsqr_in()");
    in->b = allocVector(allocate, rows, "lsqr: right hand side vector 'b' allocation failure in function alloc_lsqr_in()",
                        "lsqr: right hand side vector 'b' allocation failure in function alloc_lsqr_in()");
    in->x = allocVector(allocate, columns, "lsqr: solution vector 'x' allocation failure in function alloc_lsqr_in()",
                        "lsqr: solution vector 'x' allocation failure in function alloc_lsqr_in()");
    return in;
}

lsqr_out* alloc_lsqr_out(std::int32_t, std::int32_t columns, LsqrAllocator allocate)
{
    lsqr_out* out = allocRecord<lsqr_out>(allocate, "lsqr: output structure allocation failure in function alloc_lsqr_out()");
    out->e = allocVector(allocate, columns, "lsqr: standard error vector 'e' allocation failure in function alloc_lsqr_out()",
                         "lsqr: standard error vector 'e' allocation failure in function alloc_lsqr_out()");
    return out;
}

lsqr_wrk* alloc_lsqr_wrk(std::int32_t, std::int32_t columns, LsqrAllocator allocate)
{
    lsqr_wrk* wrk = allocRecord<lsqr_wrk>(allocate, "lsqr: work structure allocation failure in function alloc_lsqr_wrk()");
    wrk->v = allocVector(allocate, columns,
                         "lsqr: bidiagonalization work vector 'v' allocation failure in function alloc_lsqr_wrk()",
                         "lsqr: bidiagonalization work vector 'v' allocation failure in function alloc_lsqr_wrk()");
    wrk->w = allocVector(allocate, columns, "lsqr: search direction vector 'w' allocation failure in function alloc_lsqr_wrk()",
                         "lsqr: search direction vector 'w' allocation failure in function alloc_lsqr_wrk()");
    return wrk;
}

lsqr_fnc* alloc_lsqr_fnc(LsqrAllocator allocate)
{
    return allocRecord<lsqr_fnc>(allocate, "lsqr: function structure allocation failure in function alloc_lsqr_fnc()");
}

void free_lsqr_in(lsqr_in* in)
{
    if (!in) return;
    free_dvec(in->b);
    free_dvec(in->x);
    std::free(in);
}

void free_lsqr_out(lsqr_out* out)
{
    if (!out) return;
    free_dvec(out->e);
    std::free(out);
}

void free_lsqr_wrk(lsqr_wrk* wrk)
{
    if (!wrk) return;
    free_dvec(wrk->v);
    free_dvec(wrk->w);
    std::free(wrk);
}

void free_lsqr_fnc(lsqr_fnc* fnc) { std::free(fnc); }

LsqrMemory::LsqrMemory(std::int32_t rows, std::int32_t columns, LsqrAllocator allocate)
    : input(alloc_lsqr_in(rows, columns, allocate)),
      output(alloc_lsqr_out(rows, columns, allocate)),
      work(alloc_lsqr_wrk(rows, columns, allocate)),
      function(alloc_lsqr_fnc(allocate))
{
    output->x = input->x;
}

LsqrMemory::~LsqrMemory()
{
    free_lsqr_in(input);
    free_lsqr_out(output);
    free_lsqr_wrk(work);
    free_lsqr_fnc(function);
}
