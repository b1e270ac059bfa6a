// Waveform files: readers and writers.
