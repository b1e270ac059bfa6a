#pragma once
// cfg_file_converter_t: the outside wave-file converters. For now it holds nothing.
class cfg_file_converter_t
{
};
