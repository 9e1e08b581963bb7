// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/projectfilesview.h"

#include "workspace/projectfiles.h"
#include "workspace/settingsfile.h"

ProjectFilesView::ProjectFilesView(const QString& workDir)
{
    for (const auto& [name, text] :
         {std::pair{projectfiles::kSlo, &m_slo}, std::pair{projectfiles::kVlo, &m_vlo}}) {
        projectfiles::LoadResult loaded = projectfiles::load(workDir, name);
        if (loaded.failure)
            m_failures.append(*loaded.failure);
        *text = loaded.text;
    }
    m_hasSettings = settingsfile::exists(workDir);
    if (!m_hasSettings)
        return;
    const settingsfile::ReadResult settings = settingsfile::read(workDir);
    if (settings.failure)
        m_failures.append(*settings.failure);
    m_gameDirectory = settings.record.gameDirectory;
}
