-- SPDX-License-Identifier: GPL-3.0-or-later
-- Neovim (0.7 and later) as the server's client: starts `$QRB2 --lsp` on the file being edited
-- and prints the diagnostics Neovim received, one a line, "LINE:COL-ENDLINE:ENDCOL SEVERITY
-- MESSAGE" (0-based; columns count the bytes of Neovim's UTF-8 line).
local received = false
local client = vim.lsp.start_client({
  name = 'qrb2',
  cmd = { os.getenv('QRB2'), '--lsp' },
  root_dir = vim.fn.expand('%:p:h'),
  handlers = {
    ['textDocument/publishDiagnostics'] = function(err, result, ctx, config)
      vim.lsp.diagnostic.on_publish_diagnostics(err, result, ctx, config)
      received = true
    end,
  },
})
vim.lsp.buf_attach_client(0, client)
if not vim.wait(20000, function() return received end, 20) then
  io.stdout:write('no diagnostics arrived\n')
end
for _, d in ipairs(vim.diagnostic.get(0)) do
  io.stdout:write(string.format('%d:%d-%d:%d %d %s\n', d.lnum, d.col, d.end_lnum, d.end_col, d.severity, d.message))
end
vim.lsp.stop_client(client)
vim.wait(5000, function() return vim.lsp.client_is_stopped(client) end, 20)
vim.cmd('qall!')
