#include "dialogs/LineStyleTree.h"

const std::vector<LineStyleGroup>& LineStyleGroups()
{
    static const std::vector<LineStyleGroup> groups = {
        {669, {{670, 5}, {671, 6}, {672, 7}, {673, 8}}},
        {674, {{676, 9}, {677, 10}, {678, 11}, {679, 12}, {680, 13}, {681, 14}, {682, 15}}},
        {697, {{735, 31}, {736, 32}, {743, 33}, {737, 34}, {683, 19}}},
        {698, {{738, 24}, {750, 23}, {732, 22}, {733, 21}, {734, 20}}},
        {751, {{744, 30}, {745, 29}, {746, 28}, {747, 27}, {748, 26}, {749, 25}}},
        {696, {{732, 17}, {733, 18}}},
    };
    return groups;
}

const std::vector<const char*>& LineThicknessChoices()
{
    static const std::vector<const char*> choices = {"0,25 pt", "0,5 pt", "1 pt", "1,5 pt", "2 pts", "3 pts"};
    return choices;
}
