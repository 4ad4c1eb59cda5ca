#pragma once
// Saves of the settings by the main program's storage code in this process while
// bench_item.exe, beside this program, re-reads config.xml in a loop as the item does.

struct ConcurrentResult
{
    int nSaves;
    int nSavesFailed;
    long nReads;
    long nTornBytes;       // reads whose bytes were not a whole document of the two values
    long nTornDocument;    // reads where the configuration document did not give both values
    long nUnopened;        // reads that found no file to open
    bool bFinalOk;         // the file holds the last date and method saved
    long nUnopenedError;   // the last error of such a read
    bool bReaderOk;        // the reader started, read and reported
};

ConcurrentResult RunConcurrentSaves(int nSaves);
