#include "docview/FrameMenus.h"

#include "app/Accessors.h"
#include "app/CLanguageFile.h"

#include <string>

MenuModel BuildFrameContextMenu(int menuId)
{
    MenuModel menu;
    if (menuId == 190) {
        menu.items = {
            MenuItem::Command(32905, "Supprimer..."),
            MenuItem::Command(32957, "Dupliquer"),
            MenuItem::Separator(),
            MenuItem::Command(32906, "Editer le libellé et le style du texte..."),
            MenuItem::Separator(),
            MenuItem::Command(32907, "Modifier l'encadrement..."),
            MenuItem::Command(32908, "Modifier l'ancrage du cadre..."),
            MenuItem::Separator(),
            MenuItem::Command(32911, "Dessiner en dessous des lignes du cadran"),
        };
    } else if (menuId == 191) {
        menu.items = {
            MenuItem::Command(32905, "Supprimer..."),
            MenuItem::Separator(),
            MenuItem::Command(32906, "Charger un fichier image..."),
            MenuItem::Separator(),
            MenuItem::Command(32907, "Modifier l'encadrement..."),
            MenuItem::Command(32908, "Modifier l'ancrage du cadre..."),
            MenuItem::Separator(),
            MenuItem::Command(32910, "Affiche l'image dans sa taille d'origine"),
            MenuItem::Command(32909, "Rationnalise la largeur de l'image"),
            MenuItem::Command(32912, "Rationnalise la hauteur de l'image"),
            MenuItem::Separator(),
            MenuItem::Command(32911, "Dessiner en dessous des lignes du cadran"),
        };
    }
    return menu;
}

MenuModel LoadFrameContextMenu(int menuId)
{
    MenuModel menu = BuildFrameContextMenu(menuId);
    const CLanguageFile* file = GetLanguageFile();
    if (!file)
        return menu;
    const std::string key = "menu" + std::to_string(menuId);
    const int language = GetLanguageIndex();
    for (MenuItem& item : menu.items) {
        if (item.IsSeparator())
            continue;
        std::string text = file->GetMenuText(language, item.id, key);
        if (text.empty())
            text = file->GetMenuText(language, item.id, "");
        if (!text.empty())
            item.text = std::move(text);
    }
    return menu;
}
