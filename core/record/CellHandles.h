#pragma once

#include <QString>

#include <pugixml.hpp>

#include <optional>
#include <vector>

// Handles to the two attributes of one Soru_ element, kept so that no reader has to look a cell up
// by name again.
struct AttemptRecordCell
{
    pugi::xml_attribute soru;
    pugi::xml_attribute cevap;
};

// Finds every cell of a SpecialNumbers element by name, row-major, into `cells`. The element must hold
// exactly the rows Satir_1..Satir_rows (in any order), each with exactly Soru_1..Soru_columns carrying
// both attributes; anything else gives the reason the tree does not fit.
std::optional<QString> findAttemptRecordCells(pugi::xml_node specialNumbers, int rows, int columns,
                                              std::vector<AttemptRecordCell>& cells);
